; A 16F874A in parallel-slave-port mode: port D read when the master writes,
; PORTE and TRISE bits by name, and the comparators off.
        list    p=16f874a
        include "p16f874a.inc"
        __config _XT_OSC & _WDT_OFF & _LVP_OFF & _CP_OFF

        org     0x0000
        goto    init
        org     0x0004
        bcf     PIR1, PSPIF
        movf    PORTD, W
        movwf   0x70
        retfie
init:   bsf     STATUS, RP0
        movlw   0x07
        movwf   CMCON
        bsf     TRISE, PSPMODE
        bsf     PIE1, PSPIE
        bcf     STATUS, RP0
        movlw   0xC0
        movwf   INTCON
wait:   btfss   TRISE, IBF
        goto    wait
        sleep
        end
