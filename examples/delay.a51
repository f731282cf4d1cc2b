; Library routine: waits by counting two registers down.

        .segment delay_code
        .export delay
delay:  mov     r6,#10
outer:  mov     r5,#0
inner:  djnz    r5,inner
        djnz    r6,outer
        ret
