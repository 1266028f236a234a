// Numeric ids of the program's resources, shared by the resource script and the code.
// The skin bitmaps and the program icon are found by name ("RES_FORM_B", "MAINICON"), not here.
#ifndef VTL_RESOURCE_H
#define VTL_RESOURCE_H

#define IDI_PICKER 101
#define IDI_ZOOM 102
#define IDB_PLACEHOLDER 103

#endif
