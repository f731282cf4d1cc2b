#plain note
# hashed

TESSELFLAGS = -r$2000,$e000 -c -iC:\lib\ 
TESSELLIBS = -lsio.lib extra.obj
SIOTYPE = P
MODEL = large
PFLAGS = FULL_PRINTF
B2HFLAGS = -s
MORRINFLAGS = -d -t4
C51FLAGS = -dCPU_NSEC=620 -g0 -speed -dAD_C515

app.obj: app.c app.h ..\inc\regs.def
..\src\util.obj: ..\src\util.c app.h ..\inc\regs.def
web\page.obj: web\page.htm app.h ..\inc\regs.def
app.bin: app.obj ..\src\util.obj web\page.obj
app.omf: app.bin

