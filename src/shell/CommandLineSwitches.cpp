#include "shell/CommandLineSwitches.h"

#include "model/indMain.h"

#include <QString>

namespace {

bool isSwitch(const std::string &argument, const char *name)
{
    return QString::fromStdString(argument).toLower() == QLatin1String(name);
}

// Each mode asks only while it is off, so a switch given twice asks again
// only when the first question was cancelled.
template <class Enter>
void forEachSwitch(const std::vector<std::string> &arguments, const char *name, Enter enter)
{
    for (const std::string &argument : arguments) {
        if (isSwitch(argument, name))
            enter();
    }
}

} // namespace

void processCommandLineSwitches(const std::vector<std::string> &arguments, indMain &model)
{
    forEachSwitch(arguments, "/lantern", [&model] { model.EnterMakerMode(); });
    forEachSwitch(arguments, "/factory_adj", [&model] { model.EnterFactoryAdjustMode(); });
}
