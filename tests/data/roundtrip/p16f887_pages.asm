; A 16F887: 8K words in four pages, registers of all four banks, two
; configuration words, 256 EEPROM bytes.
        list    p=16f887
        include "p16f887.inc"
        __config _CONFIG1, _FOSC_HS & _WDTE_OFF & _PWRTE_ON & _MCLRE_ON & _CP_OFF & _CPD_OFF & _BOREN_ON & _IESO_OFF & _FCMEN_OFF & _LVP_OFF & _DEBUG_OFF
        __config _CONFIG2, _BOR4V_BOR40V & _WRT_OFF

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   bsf     STATUS, RP0
        bsf     STATUS, RP1
        clrf    ANSEL
        clrf    ANSELH
        bcf     STATUS, RP1
        clrf    TRISD
        bcf     STATUS, RP0
        movlw   0x18
        movwf   PCLATH
        call    0x1800
        clrf    PCLATH
        movwf   PORTD
        goto    start

        org     0x1800
        bsf     STATUS, RP1
        movf    EEDAT, W
        bcf     STATUS, RP1
        return

        org     0x2100
        de      "887"
        org     0x21F0
        de      0xF0
        end
