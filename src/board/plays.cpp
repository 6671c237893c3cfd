#include "board/form1.h"

void Form1::wirePlays() {}
