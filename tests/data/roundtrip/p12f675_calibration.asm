; A 12F675: 1K words whose last word holds the oscillator calibration as a
; RETLW, read into OSCCAL in bank 1; GPIO, comparator and ADC set up.
        list    p=12f675
        include "p12f675.inc"
        __config _FOSC_INTRCIO & _WDTE_OFF & _PWRTE_ON & _MCLRE_OFF & _BOREN_ON & _CP_OFF & _CPD_OFF

        org     0x0000
        bsf     STATUS, RP0
        call    0x03FF
        movwf   OSCCAL
        clrf    ANSEL
        movlw   0x08
        movwf   TRISIO
        bcf     STATUS, RP0
        movlw   0x07
        movwf   CMCON
loop    btfsc   GPIO, GP3
        bsf     GPIO, GP0
        btfss   GPIO, GP3
        bcf     GPIO, GP0
        goto    loop

        org     0x03FF
        retlw   0x80

        org     0x2100
        de      0x12, 0x34
        end
