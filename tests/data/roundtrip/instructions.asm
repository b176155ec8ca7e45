; Every instruction form of the mid-range set, the STATUS bits by name, bit
; operations on named and unnamed registers, both destinations of the
; byte-oriented instructions, and the deprecated OPTION and TRIS.
        list    p=16f876
        include "p16f876.inc"

        org     0x0000
        nop
        addwf   0x20, W
        addwf   0x7F, F
        andwf   FSR, W
        clrf    0x55
        clrw
        comf    PORTA, F
        decf    0x21, W
        decfsz  0x22, F
        incf    0x23, F
        incfsz  0x24, W
        iorwf   0x25, F
        movf    0x26, W
        movwf   0x27
        rlf     0x28, F
        rrf     0x29, W
        subwf   0x2A, F
        swapf   0x2B, W
        xorwf   0x2C, F
        bcf     STATUS, C
        bsf     STATUS, DC
        btfsc   STATUS, Z
        btfss   STATUS, NOT_PD
        bcf     STATUS, NOT_TO
        bsf     STATUS, RP0
        bcf     STATUS, RP1
        bsf     STATUS, IRP
        bsf     0x08, 0
        bcf     0x09, 7
        btfsc   0x40, 3
        btfss   TMR0, 5
        bsf     ADCON0, 2
        addlw   0x80
        andlw   0x0F
        call    sub
        clrwdt
        goto    sub
        iorlw   0x55
        movlw   0xAA
        retfie
        retlw   0x12
        return
        sleep
        sublw   0x33
        xorlw   0xCC
        option
        tris    PORTA
        tris    PORTB
        tris    PORTC
sub:    return
        end
