// Information page: product name and version, the maker, and a button to the maker's web page.
#pragma once
#include <windows.h>

INT_PTR CALLBACK InfoPageProc(HWND hwndPage, UINT message, WPARAM wParam, LPARAM lParam);
