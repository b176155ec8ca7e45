; A 16F84A: 1K words, two banks, 64 EEPROM bytes, a table read through PCL.
        list    p=16f84a
        include "p16f84a.inc"
        __config _FOSC_XT & _WDTE_OFF & _PWRTE_ON & _CP_OFF
        __idlocs 0x84A1

count   equ     0x0C

        org     0x0000
        goto    start
        org     0x0004
        retfie

start   bsf     STATUS, RP0
        clrf    TRISB
        movlw   0x1F
        movwf   TRISA
        bcf     OPTION_REG, NOT_RBPU
        bcf     STATUS, RP0
loop    incf    count, F
        movf    count, W
        andlw   0x03
        call    pattern
        movwf   PORTB
        btfss   PORTA, RA0
        goto    loop
        clrf    PORTB
        sleep
        goto    loop

pattern addwf   PCL, F
        retlw   0x01
        retlw   0x02
        retlw   0x04
        retlw   0x08

        org     0x2100
        de      "16F84A", 0
        org     0x2130
        de      0x55
        end
