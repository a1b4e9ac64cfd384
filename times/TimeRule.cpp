#include "times/TimeRule.h"

TimeRule *TimeRule::fileRule()
{
    static TimeRule rule;
    return &rule;
}

TimeRule *TimeRule::folderRule()
{
    static TimeRule rule;
    return &rule;
}
