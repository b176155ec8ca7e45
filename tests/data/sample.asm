; A small PIC16F876 program for the window's pictures: a loop that shows
; the letters of a text on PORTB, a delay, the text as a RETLW table, and
; two constants that the program memory registers would read (the first
; one looks like a CALL, so the listing gets a label it does not need).
        list    p=16f876
        errorlevel -302
        #include <p16f876.inc>
        __config _HS_OSC & _WDT_OFF & _PWRTE_ON & _LVP_OFF

count   equ     0x20
index   equ     0x21

        org     0x000
        goto    start

        org     0x004
        retfie

start   bsf     STATUS,RP0
        clrf    TRISB
        bcf     STATUS,RP0
        clrf    index
next    movf    index,w
        call    text
        iorlw   0
        btfsc   STATUS,Z
        goto    start
        movwf   PORTB
        call    delay
        incf    index,f
        goto    next

delay   movlw   0xFF
        movwf   count
wait    decfsz  count,f
        goto    wait
        return

text    addwf   PCL,f
        dt      "Tessarin PIC 16F876", 0

consts  dw      0x2019, 0x0123

        end
