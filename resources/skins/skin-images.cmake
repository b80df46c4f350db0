# Every image of the skin, by the name the windows load it under. Letter case follows the names
# the code uses; the program looks names up without regard to case.

ventrio_skin(1-windows
    main.png splash.png single-key.png macro-key.png
    BK_MainMid.png BK_MainRight.png
    MacroManagement/MacroManagement.png Config/Config.png)

ventrio_skin(3-column
    Logo.png MLogo.png BK_MainLeft.png ItemBK.png MacroManagementBK.png
    ButtonAssignment/BK_ButtonAssignment.png XYSensitivity/BK_XYSensSetting.png)

ventrio_skin(4-panels
    DPISetting/BK_DPISetting.png Lighting/BK_Lighting.png USBReportRate/BK_USBReportRate.png
    MouseAttribute/BK_MouseAttribute.png MouseAttribute/BK_ScrollSpeed.png
    AngleSnap/BK_AngleSnap.png)

ventrio_skin(2-mouse Mouse/Front/MouseFront.png Mouse/Side/MouseSide.png Mouse/Back/MouseBack.png)

ventrio_skin(6-tracks
    DPISetting/DPIStage/0.png DPISetting/DPIStage/82.png StageSlider/1.png StageSlider/10.png)

ventrio_skin(7-controls
    DPISetting/BK-DPIValue.png Enable.png Disable.png Pane.png PaneMakingTick.png
    MouseAttribute/ScrollSpeed/Enable.png MouseAttribute/ScrollSpeed/Disable.png
    MouseAttribute/ScrollSpeed/ScrollLines.png
    MacroManagement/Pane.png MacroManagement/PaneMakingTick.png
    Config/New-Config.png Config/Del-Config.png)

# Push buttons: one drawing per size, the state only changes the paint.
#   normal: raised charcoal; over: the menu's selection red; leave (pressed or checked): the
#   darker red pushed in; the disabled Apply look is flat and dim.
set(_look_normal "TOP=#2f3237" "BOTTOM=#1e2024" "EDGE=#41454d" "SHINE=0.10" "SHADOW=0")
set(_look_over "TOP=#a52a26" "BOTTOM=#7a1d1d" "EDGE=#c8443c" "SHINE=0.18" "SHADOW=0")
set(_look_leave "TOP=#4a1a1a" "BOTTOM=#6f2929" "EDGE=#8f2020" "SHINE=0" "SHADOW=1")
set(_look_disabled "TOP=#1c1d20" "BOTTOM=#1a1b1e" "EDGE=#2a2c31" "SHINE=0" "SHADOW=0")
foreach(state normal over leave)
    ventrio_skin_variant(7-controls button-cancel-${state}.png push-button.svg.in
                         W=57 H=30 ${_look_${state}})
    ventrio_skin_variant(7-controls button-config-${state}.png push-button.svg.in
                         W=72 H=30 ${_look_${state}})
endforeach()
ventrio_skin_variant(7-controls button-save-leave.png push-button.svg.in W=57 H=30 ${_look_disabled})

# The view switch: three tabs side by side; "leave" is the checked tab of the current view.
ventrio_skin_variant(7-controls button-mouse-normal.png view-tab.svg.in
                     "FACE_TOP=#222428" "FACE_BOTTOM=#18191c" "EDGE=#33363c" "BAR=#33363c" BAR_Y=27 BAR_H=1)
ventrio_skin_variant(7-controls button-mouse-over.png view-tab.svg.in
                     "FACE_TOP=#303238" "FACE_BOTTOM=#222428" "EDGE=#4a4e56" "BAR=#8f2020" BAR_Y=26 BAR_H=2)
ventrio_skin_variant(7-controls button-mouse-leave.png view-tab.svg.in
                     "FACE_TOP=#7a2424" "FACE_BOTTOM=#4e1c1c" "EDGE=#8f2020" "BAR=#e0473c" BAR_Y=26 BAR_H=2)

# Caption buttons of the borderless windows, on the title-bar colour so that copying them
# without alpha leaves no seam.
foreach(glyph help min close)
    ventrio_skin_variant(7-controls button-${glyph}-normal.png caption-${glyph}.svg.in
                         "PLATE=#141518" "INK=#8d9199")
endforeach()
ventrio_skin_variant(7-controls button-help-over.png caption-help.svg.in "PLATE=#6f2929" "INK=#ffffff")
ventrio_skin_variant(7-controls button-min-over.png caption-min.svg.in "PLATE=#6f2929" "INK=#ffffff")
ventrio_skin_variant(7-controls button-close-over.png caption-close.svg.in "PLATE=#8f2020" "INK=#ffffff")
ventrio_skin_variant(7-controls macro-button-close-normal.png wide-close.svg.in
                     "PLATE_TOP=#26282d" "PLATE_BOTTOM=#1c1d21" "EDGE=#3a3d44" "INK=#9a9ea6")
ventrio_skin_variant(7-controls macro-button-close-over.png wide-close.svg.in
                     "PLATE_TOP=#a52a26" "PLATE_BOTTOM=#7a1d1d" "EDGE=#c8443c" "INK=#ffffff")

# The macro pages' buttons are drawn with alpha over their page, so they keep round corners.
set(_dialog_normal "TOP=#2f3237" "BOTTOM=#1e2024" "EDGE=#464a52" "SHINE=0.10")
set(_dialog_over "TOP=#a52a26" "BOTTOM=#7a1d1d" "EDGE=#d04a40" "SHINE=0.18")
foreach(state normal over)
    ventrio_skin_variant(7-controls MacroManagement/button-cancel-${state}.png
                         dialog-button.svg.in W=54 H=25 ${_dialog_${state}})
    ventrio_skin_variant(7-controls MacroManagement/button-new-${state}.png
                         dialog-button.svg.in W=58 H=25 ${_dialog_${state}})
endforeach()
ventrio_skin_variant(7-controls MacroManagement/Record-normal.png record-button.svg.in
                     "TOP=#2f3237" "BOTTOM=#1e2024" "EDGE=#464a52" "DOT=#b8302a")
ventrio_skin_variant(7-controls MacroManagement/Record-over.png record-button.svg.in
                     "TOP=#a52a26" "BOTTOM=#7a1d1d" "EDGE=#d04a40" "DOT=#ffffff")

ventrio_skin_variant(7-controls ButtonAssignment/DropdownBox-normal.png dropdown.svg.in
                     "FIELD=#101113" "EDGE=#34373d" "CARET=#8d9199" "ACCENT=#101113")
ventrio_skin_variant(7-controls ButtonAssignment/DropdownBox-over.png dropdown.svg.in
                     "FIELD=#2a1315" "EDGE=#8f2020" "CARET=#ffffff" "ACCENT=#6f2929")

# Polling-rate dial: the quarter of the current rate lit.
foreach(rate 1000 500 250 125)
    foreach(quarter 1000 500 250 125)
        if(quarter EQUAL rate)
            set(_q${quarter} lit)
        else()
            set(_q${quarter} dim)
        endif()
    endforeach()
    ventrio_skin_variant(5-dials USBReportRate/${rate}HZ.png polling-dial.svg.in RATE=${rate}
                         Q1000=${_q1000} Q500=${_q500} Q250=${_q250} Q125=${_q125})
endforeach()

# Pointer-speed and double-click dials: levels 1 to 11 from left to right, every segment up to
# the current level lit and the current one brightest.
foreach(level RANGE 1 11)
    set(_lit "")
    foreach(segment RANGE 1 ${level})
        list(APPEND _lit "#s${segment}")
    endforeach()
    list(JOIN _lit "," _lit)
    ventrio_skin_variant(5-dials MouseAttribute/Speed/${level}.png speed-dial.svg.in
                         LEVEL=${level} LIT=${_lit})
endforeach()

# Button marks: front view buttons 1 to 7, side view 1 to 7, back view 4 and 5.
foreach(view_buttons "Front|F|1;2;3;4;5;6;7" "Side|S|1;2;3;4;5;6;7" "Back|B|4;5")
    string(REPLACE "|" ";" parts "${view_buttons}")
    list(GET parts 0 _view)
    list(GET parts 1 _prefix)
    list(SUBLIST parts 2 -1 _buttons)
    foreach(button IN LISTS _buttons)
        ventrio_skin_variant(8-marks Mouse/${_view}/${_prefix}-${button}-normal.png mark.svg.in
                             NUMBER=${button} "RING=#d7dae0" "FACE=#0d0e10" FACE_OPACITY=0.72
                             GLOW_OPACITY=0 "INK=#ffffff")
        ventrio_skin_variant(8-marks Mouse/${_view}/${_prefix}-${button}-over.png mark.svg.in
                             NUMBER=${button} "RING=#ff7a6e" "FACE=#8f2020" FACE_OPACITY=0.95
                             GLOW_OPACITY=0.75 "INK=#ffffff")
    endforeach()
endforeach()
