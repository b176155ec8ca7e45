; A 12F1840, enhanced core: BSR banks, relative branches, indirect moves
; through FSR0, two configuration words, 256 EEPROM bytes at 0xF000.
        list    p=12f1840
        include "p12f1840.inc"
        __config _CONFIG1, _FOSC_INTOSC & _WDTE_OFF & _PWRTE_ON & _MCLRE_OFF & _CP_OFF & _CPD_OFF & _BOREN_ON & _CLKOUTEN_OFF & _IESO_OFF & _FCMEN_OFF
        __config _CONFIG2, _WRT_OFF & _PLLEN_OFF & _STVREN_ON & _LVP_OFF

        org     0x0000
        bra     start
        org     0x0004
        retfie

start   movlb   1
        movlw   0x68
        movwf   OSCCON
        clrf    TRISA
        movlb   3
        clrf    ANSELA
        movlb   0
        movlw   0x20
        movwf   FSR0L
        clrf    FSR0H
store   movwi   FSR0++
        lslf    WREG, W
        btfss   STATUS, Z
        bra     store
        moviw   --FSR0
        movwf   PORTA
        bra     start

        org     0xF000
        de      0x18, 0x40
        end
