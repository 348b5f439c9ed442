#include "app/entry.h"

int wmain(int, wchar_t*[]) { return 1; }
