// Resource ids of the template dialog; read by windres as well as by the C++ compiler.
#pragma once

#define IDD_VORLAGENAUSWAHL 100
#define IDC_FRAME1 1000
#define IDC_OPTION1_0 1001
#define IDC_OPTION1_1 1002
#define IDC_CMDWEITER 1003
