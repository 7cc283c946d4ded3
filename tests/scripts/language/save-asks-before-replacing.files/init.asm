;------------------------------------
;-  Generated Initialization File  --
;------------------------------------

$include (QK740.inc)

public  Init_Device

INIT SEGMENT CODE
    rseg INIT

; Initialization function for device,
; Call Init_Device from your main program
Init_Device:
    ret

end

; Empty configuration

; Open the "Peripherals" menu and
; choose a peripheral to configure.
