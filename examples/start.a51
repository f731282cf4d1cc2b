; Start-up code: the reset vector jumps to the start-up routine, which puts
; the stack above the internal RAM that the linker placed and enters the
; main program.

        .segment reset,org 0
        .import main
        .import __stack_org__
        ljmp    init

        .segment startup
init:   mov     81h,#__stack_org__-1    ; SP: the stack grows upward from here
        ljmp    main
