# comment
CC = c51
FLAGS = -g $(CC)
.c.obj:
	$(CC) $(FLAGS) $*.c
all: a.obj b.obj
a.obj: a.c a.h
	echo a
