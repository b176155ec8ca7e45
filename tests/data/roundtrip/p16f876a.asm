; A 16F876A sending a table through its USART at 9600 baud (4 MHz): the
; serial registers in bank 1, a RETLW table reached through PCLATH.
        list    p=16f876a
        include "p16f876a.inc"
        __config _XT_OSC & _WDT_OFF & _PWRTE_ON & _LVP_OFF

        org     0x0000
        bsf     STATUS, RP0
        movlw   d'25'
        movwf   SPBRG
        bsf     TXSTA, BRGH
        bsf     TXSTA, TXEN
        bcf     STATUS, RP0
        bsf     RCSTA, SPEN
        clrf    0x20
next:   movf    0x20, W
        call    text
        iorlw   0
        btfsc   STATUS, Z
        goto    $
send:   btfss   PIR1, TXIF
        goto    send
        movwf   TXREG
        incf    0x20, F
        goto    next

        org     0x0100
text:   movwf   0x21
        movlw   high text
        movwf   PCLATH
        movf    0x21, W
        addwf   PCL, F
        dt      "876A", 0
        end
