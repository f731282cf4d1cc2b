; Main program: fills an eight-byte buffer in internal RAM with a running
; count, then waits in the library's delay routine and starts again.

        .segment code
        .export main
        .import delay
main:   clr     a
again:  mov     r0,#buffer
        mov     r7,#8
fill:   mov     @r0,a
        inc     r0
        inc     a
        djnz    r7,fill
        acall   delay
        sjmp    again

        .segment data,sclass dram,notext
buffer: .ds.b   8
