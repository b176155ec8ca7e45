; Code spread over all four pages, reached through PCLATH, with a
; computed-goto table, a DT table, an interrupt routine, the configuration
; word, ID locations and EEPROM data.
        list    p=16f876
        include "p16f876.inc"
        __config _HS_OSC & _WDT_OFF & _PWRTE_ON & _LVP_OFF
        __idlocs 0x1A2B

counter equ     0x20
saved_w equ     0x70
saved_s equ     0x71

        org     0x0000
reset:  clrf    PCLATH
        goto    start

        org     0x0004
isr:    movwf   saved_w
        swapf   STATUS, W
        movwf   saved_s
        btfsc   INTCON, T0IF
        bcf     INTCON, T0IF
        swapf   saved_s, W
        movwf   STATUS
        swapf   saved_w, F
        swapf   saved_w, W
        retfie

start:  bsf     STATUS, RP0
        clrf    TRISB
        movlw   0x87
        movwf   OPTION_REG
        bcf     STATUS, RP0
        clrf    counter
loop:   movf    counter, W
        call    dispatch
        movwf   PORTB
        pagesel page1
        call    page1
        pagesel page2
        call    page2
        pagesel page3
        call    page3
        pagesel loop
        incf    counter, F
        btfss   STATUS, Z
        goto    loop
        sleep
        goto    $

; A computed goto: W selects one of four branches.
dispatch:
        andlw   0x03
        addwf   PCL, F
        goto    case0
        goto    case1
        goto    case2
        goto    case3
case0:  retlw   0x3F
case1:  retlw   0x06
case2:  retlw   0x5B
case3:  movf    counter, W
        call    digits
        return

; Seven-segment patterns as a DT table.
digits: andlw   0x07
        addwf   PCL, F
        dt      0x3F, 0x06, 0x5B, 0x4F, 0x66, 0x6D, 0x7D, 0x07

        org     0x0800
page1:  movlw   0x10
        movwf   counter
p1loop: decfsz  counter, F
        goto    p1loop
        call    p1sub
        return
p1sub:  rlf     counter, W
        rrf     counter, F
        comf    counter, F
        return

        org     0x1000
page2:  clrw
        iorlw   0x0F
        xorlw   0xF0
        sublw   0x20
        addlw   0x01
        call    p2sub
        return
p2sub:  btfsc   STATUS, C
        bsf     PORTC, 2
        btfss   STATUS, DC
        bcf     PORTC, 3
        return

        org     0x1800
page3:  movlw   high message
        movwf   PCLATH
        movlw   low message
        call    p3sub
        clrf    PCLATH
        return
p3sub:  movwf   FSR
        movf    INDF, W
        clrwdt
        goto    p3end
p3end:  return
message:
        dt      "Tessarin"

        org     0x2100
        de      "EEPROM", 0x00, 0xFF
        end
