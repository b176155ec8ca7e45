; A 16F628A: 2K words, comparators off, the UART in bank 1, 128 EEPROM bytes.
        list    p=16f628a
        include "p16f628a.inc"
        __config _FOSC_INTOSCIO & _WDTE_OFF & _PWRTE_ON & _MCLRE_OFF & _BOREN_ON & _LVP_OFF & _CPD_OFF & _CP_OFF

        org     0x0000
        goto    main
        org     0x0004
        btfss   PIR1, RCIF
        retfie
        movf    RCREG, W
        movwf   TXREG
        retfie

main    movlw   0x07
        movwf   CMCON
        bsf     STATUS, RP0
        movlw   25
        movwf   SPBRG
        bsf     TXSTA, BRGH
        bsf     TXSTA, TXEN
        bsf     PIE1, RCIE
        bcf     TRISB, 2
        bcf     STATUS, RP0
        bsf     RCSTA, SPEN
        bsf     RCSTA, CREN
        bsf     INTCON, PEIE
        bsf     INTCON, GIE
idle    goto    idle

        org     0x0700
table   dt      "hello", 0

        org     0x2100
        de      0x01, 0x02
        end
