; A 16F1939, enhanced core with 16K words: a call from page 0 into page 5,
; arithmetic with carry and shifts, 256 EEPROM bytes.
        list    p=16f1939
        include "p16f1939.inc"
        __config _CONFIG1, _FOSC_INTOSC & _WDTE_OFF & _PWRTE_ON & _MCLRE_ON & _CP_OFF & _CPD_OFF & _BOREN_ON & _CLKOUTEN_OFF & _IESO_OFF & _FCMEN_OFF
        __config _CONFIG2, _WRT_OFF & _VCAPEN_OFF & _PLLEN_OFF & _STVREN_ON & _BORV_LO & _LVP_OFF

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   movlb   1
        clrf    TRISD
        movlb   0
        movlp   0x28
        call    0x2800
        movlp   0x00
        movwf   PORTD
        goto    start

        org     0x2800
        movlw   0x10
        addwfc  0x20, F
        subwfb  0x21, W
        asrf    0x22, F
        lsrf    0x23, W
        return

        org     0xF000
        de      0x19, 0x39
        end
