; A small 16F873a program: its comparator registers and a table read.
        list    p=16f873a
        include "p16f873a.inc"
        __config _HS_OSC & _WDT_OFF & _LVP_OFF

        org     0x0000
        bsf     STATUS, RP0
        movlw   0x07
        movwf   CMCON
        clrf    CVRCON
        bcf     STATUS, RP0
        bsf     STATUS, RP1
        movlw   0x10
        movwf   EEADR
        bsf     STATUS, RP0
        bsf     EECON1, RD
        bcf     STATUS, RP0
        movf    EEDATA, W
        bcf     STATUS, RP1
        movwf   0x20
        btfsc   PIR2, CMIF
        call    clear
        goto    0x0000
clear:  bcf     PIR2, CMIF
        return
        org     0x2100
        de      0x873
        end
