#include "channels/MultiTableSelection.h"

MultiTableSelection &multiTableSelection()
{
    static MultiTableSelection selection;
    return selection;
}
