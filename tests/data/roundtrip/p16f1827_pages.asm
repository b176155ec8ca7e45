; A 16F1827, enhanced core: MOVLP and a call into page 1, a jump table
; through BRW, FSR arithmetic and the call through W.
        list    p=16f1827
        include "p16f1827.inc"
        __config _CONFIG1, _FOSC_HS & _WDTE_OFF & _PWRTE_ON & _MCLRE_ON & _CP_OFF & _CPD_OFF & _BOREN_ON & _CLKOUTEN_OFF & _IESO_OFF & _FCMEN_OFF
        __config _CONFIG2, _WRT_OFF & _PLLEN_OFF & _STVREN_ON & _BORV_LO & _LVP_OFF
        __idlocs 0x1827

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   movlb   1
        clrf    TRISB
        movlb   0
        movlp   0x08
        call    0x0800
        movlp   0x00
        andlw   0x03
        brw
        bra     one
        bra     two
        bra     one
        bra     two
one     addfsr  FSR1, 1
        bra     start
two     movlw   low start
        callw
        reset

        org     0x0800
        movlb   2
        movf    LATB, W
        movlb   0
        return

        org     0xF000
        de      "1827"
        end
