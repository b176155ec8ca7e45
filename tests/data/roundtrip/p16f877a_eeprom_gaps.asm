; A 16F877A with data EEPROM in pieces: gpasm counts EEPROM addresses in bytes,
; so ORG 0x2100 + 2n places the byte of EEPROM word n.
        list    p=16f877a
        include "p16f877a.inc"
        __config _HS_OSC & _WDT_OFF & _LVP_OFF & _CPD_ON

        org     0x0000
        bsf     STATUS, RP0
        movlw   0x07
        movwf   CMCON
        bsf     CVRCON, CVREN
        bcf     STATUS, RP0
        bcf     PORTD, RD7
        goto    0x0000

        org     0x2100
        de      0x01, 0x02, 0x03
        org     0x2110
        de      "gap"
        org     0x21FE
        de      0xFF
        end
