##############################################
# Project: C:\p\mk\main.mak
# (generated with Cobrel)
# Rysk ANSI C Compiler - https://rysk.example.org/c51/
##############################################

TESSELFLAGS = -r$0,$8000
SIOTYPE = K
MODEL = small
MORRINFLAGS = -g
C51FLAGS = -dCPU_NSEC=1000

main.obj: main.c board.h
io.obj: io.s51 board.h
main.bin: main.obj io.obj
main.hex: main.bin

