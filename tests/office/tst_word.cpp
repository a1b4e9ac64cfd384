#include "OfficeTestSupport.h"
int runWordTests(int, char **)
{
    return 0;
}
