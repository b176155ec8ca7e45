; A program that starts away from address 0, jumps and calls to addresses
; that hold no word of the image, and keeps data among its code: a DW table,
; packed DA text, and a RETLW table.
        list    p=16f876
        include "p16f876.inc"

monitor equ     0x0600          ; a routine of another image, not in this one
bootldr equ     0x1F00

        org     0x0100
main:   movlw   0x05
        call    table
        btfsc   STATUS, Z
        goto    monitor
        pagesel bootldr
        call    bootldr
        pagesel main
        goto    main

table:  addwf   PCL, F
        retlw   'A'
        retlw   'B'
        retlw   0x00

        org     0x0180
words:  dw      0x3FFF, 0x0001, 0x2FFF, 0x1234, 0x3B00, 0x0100, 0x3D42
packed: da      "PIC16F876 data"
after:  goto    after

        org     0x0300
gap:    nop
        return
        end
