; A 16F877 program over 2K words: calls and jumps into every page through
; PCLATH set every way the code can set it, and bank switching on the way.
        list    p=16f877
        include "p16f877.inc"
        errorlevel -302, -306
        __config _HS_OSC & _WDT_OFF & _LVP_OFF

        org     0x0000
        clrf    PCLATH
        goto    main
        org     0x0004
        movwf   0x70
        retfie

main:   movlw   high sub1
        movwf   PCLATH
        call    sub1
        clrf    PCLATH
        bsf     PCLATH, 4
        call    sub2
        bsf     PCLATH, 3
        call    sub3
        bcf     PCLATH, 3
        bcf     PCLATH, 4
        bsf     STATUS, RP0
        bsf     STATUS, RP1
        bsf     EECON1, EEPGD
        bcf     STATUS, RP0
        movf    EEDATA, W
        bcf     STATUS, RP1
        call    nearby
        goto    main
nearby:  bsf     INTCON, GIE
        return
        fill    (addlw 0x01), 0x780

        org     0x0800
sub1:   bsf     STATUS, RP0
        movwf   TXSTA
        bcf     STATUS, RP0
        clrf    PCLATH
        goto    back1
back1:  return
        fill    (nop), 0x300

        org     0x1000
sub2:   movlw   0x18
        movwf   PCLATH
        goto    sub3
        org     0x1800
sub3:   retlw   0x33
        end
