; Words whose don't-care bits are set otherwise than the assembler sets them,
; kept among the code of a 16F873: only DW gives them back.
        list    p=16f873
        include "p16f873.inc"

        org     0x0000
        goto    start
        org     0x0004
        retfie
start:  bsf     STATUS, RP0
        clrf    TRISC
        bcf     STATUS, RP0
        dw      0x0020, 0x0040, 0x0060          ; NOP forms
        dw      0x0150, 0x017F                  ; CLRW forms
        dw      0x3100, 0x33FF, 0x35AA, 0x3701  ; MOVLW, RETLW
        dw      0x3D10, 0x3F72, 0x3FFF          ; SUBLW, ADDLW
        dw      0x0001, 0x0068, 0x3B10          ; no instruction
        movlw   0x55
        movwf   PORTC
        goto    start
        org     0x0FFF
        return
        org     0x2100
        de      "873"
        end
