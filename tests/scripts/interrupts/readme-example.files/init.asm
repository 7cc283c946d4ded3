;------------------------------------
;-  Generated Initialization File  --
;------------------------------------

$include (QK740.inc)

public  Init_Device

INIT SEGMENT CODE
    rseg INIT

; Peripheral specific initialization functions,
; Called from the Init_Device label
Interrupts_Init:
    mov  IT01CF,    #003h
    mov  IE,        #001h
    ret

; Initialization function for device,
; Call Init_Device from your main program
Init_Device:
    lcall Interrupts_Init
    ret

end
