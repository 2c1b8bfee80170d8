// Numbers of the program's resources, shared by the resource script and the code that loads them.
#pragma once

#define IDI_EMBLEM 101
#define IDI_OPEN_FOLDER 102
#define IDB_BANNER 201
#define IDB_ABOUT_BANNER 202
#define IDC_HAND_POINTER 301
#define IDC_HAND_EXCLAIM 302
#define IDC_PEN 303
