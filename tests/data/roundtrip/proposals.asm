; A program whose data the zone proposals must find: the configuration word,
; ID words, EEPROM bytes, a raw table and packed text after the
; code, words with don't-care bits that the code runs, a RETLW table behind
; a computed jump and a subroutine in the second page.
        list    p=16f876
        include "p16f876.inc"
        __config _CP_OFF & _WDT_OFF & _HS_OSC & _LVP_OFF & _BODEN_OFF
        __idlocs 0x12AF

        org     0x0000
        goto    main

        org     0x0004
isr:    retfie

main:   bsf     STATUS, RP0
        clrf    TRISB
        bcf     STATUS, RP0
        movlw   2
        call    lookup
        movwf   PORTB
        dw      0x3F05          ; ADDLW 5 with a don't-care bit set
        pagesel far
        call    far
        pagesel main
loop:   goto    loop

lookup: addwf   PCL, F
        retlw   'a'
        retlw   'b'
        retlw   'c'

raw:    dw      0x3FFF, 0x0001, 0x0041, 0x1234, 0x3B00
text:   da      "ABCDEFGHIJKL"

        org     0x0900
far:    nop
        dw      0x0100          ; CLRW as the datasheet allows it
        return

        org     0x2100
        de      1, 2, 3, "AB"
        end
