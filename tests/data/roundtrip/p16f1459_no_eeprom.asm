; A 16F1459, enhanced core without data EEPROM: 8K words, the USB registers
; of bank 29, three configuration words' worth of settings in two.
        list    p=16f1459
        include "p16f1459.inc"
        __config _CONFIG1, _FOSC_INTOSC & _WDTE_OFF & _PWRTE_ON & _MCLRE_ON & _CP_OFF & _BOREN_ON & _CLKOUTEN_OFF & _IESO_OFF & _FCMEN_OFF
        __config _CONFIG2, _WRT_OFF & _CPUDIV_NOCLKDIV & _USBLSCLK_48MHz & _PLLMULT_3x & _PLLEN_ENABLED & _STVREN_ON & _BORV_LO & _LVP_OFF

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   movlb   29
        clrf    UCON
        clrf    UIE
        movlb   0
        clrf    PORTC
        movlb   1
        clrf    TRISC
        movlb   0
loop    incf    PORTC, F
        goto    loop
        end
