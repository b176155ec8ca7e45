; A 16F874 with ID locations above 0xF (only DW writes them), its ports D and
; E in both banks and a configuration word.
        list    p=16f874
        include "p16f874.inc"
        errorlevel -220
        __config _XT_OSC & _WDT_ON & _CP_HALF & _BODEN_OFF

        org     0x2000
        dw      0x1234, 0x3FFF, 0x0000, 0x2A55

        org     0x0000
        bsf     STATUS, RP0
        movlw   0x07
        movwf   TRISE
        clrf    TRISD
        bcf     STATUS, RP0
loop:   incf    PORTD, F
        btfss   PORTE, RE2
        goto    loop
        bsf     PORTE, RE0
        sleep
        end
