; A 16F690: registers in four banks (ANSEL in bank 2), 4K words, 256 EEPROM
; bytes.
        list    p=16f690
        include "p16f690.inc"
        __config _FOSC_INTRCIO & _WDTE_OFF & _PWRTE_ON & _MCLRE_ON & _CP_OFF & _CPD_OFF & _BOREN_OFF & _IESO_OFF & _FCMEN_OFF

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   bsf     STATUS, RP1
        clrf    ANSEL
        clrf    ANSELH
        bcf     STATUS, RP1
        bsf     STATUS, RP0
        clrf    TRISC
        bcf     STATUS, RP0
        clrf    PORTC
spin    incf    PORTC, F
        btfss   STATUS, Z
        goto    spin
        goto    start

        org     0x2100
        de      0x69, 0x00
        end
