; A 16F88: 4K words, two configuration words, a call into page 1 through
; PCLATH, the analog inputs in bank 1.
        list    p=16f88
        include "p16f88.inc"
        __config _CONFIG1, _INTRC_IO & _WDT_OFF & _PWRTE_ON & _MCLR_ON & _BODEN_OFF & _LVP_OFF & _CPD_OFF & _WRT_PROTECT_OFF & _DEBUG_OFF & _CCP1_RB0 & _CP_OFF
        __config _CONFIG2, _FCMEN_OFF & _IESO_OFF

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   bsf     STATUS, RP0
        movlw   0x72
        movwf   OSCCON
        clrf    ANSEL
        clrf    TRISB
        bcf     STATUS, RP0
        movlw   high far
        movwf   PCLATH
        call    far
        clrf    PCLATH
        movwf   PORTB
        goto    start

        org     0x0800
far     bsf     STATUS, RP1
        movf    EEDATA, W
        bcf     STATUS, RP1
        return

        org     0x2100
        de      0x88
        end
