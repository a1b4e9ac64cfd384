#include "OfficeTestSupport.h"
int runWriterTests(int, char **)
{
    return 0;
}
