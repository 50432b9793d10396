#pragma once

#include "cells/CellBindingRegistry.h"
#include "cells/CellCategories.h"
#include "cells/CellCodec.h"
#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcCellCapsule.h"
#include "cells/cmcCellObj.h"
#include "cells/cmcEvMan.h"
#include "cells/indCellHandler.h"
#include "channels/datCh.h"
#include "mainframe/ProgramBindings.h"
#include "model/GlobalModel.h"
#include "model/indMain.h"
#include "platform/MessageService.h"
#include "platform/ProgramDir.h"
#include "settings/GlobalEnvironment.h"
#include "settings/indEnviron.h"
#include "support/TestPaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

// A window that writes every command it receives into a shared log.
class RecordingView : public cuiMainView
{
public:
    explicit RecordingView(std::vector<std::string> &log) : calls(log) {}

    bool CanPrintCurrentSheet() override { return canPrint; }
    void PrintCurrentSheet() override { calls.push_back("print current"); }
    void PrintAllSheets() override { calls.push_back("print all"); }
    void CloseMainWindow() override { calls.push_back("close window"); }
    void CloseCurrentSheet() override { calls.push_back("close sheet"); }
    void ShowToolBar(bool visible) override
    {
        calls.push_back(visible ? "tool bar on" : "tool bar off");
    }
    bool AskComPort(int form) override
    {
        calls.push_back("com port dialog " + std::to_string(form));
        return true;
    }
    bool AskIpAddress() override
    {
        calls.push_back("ip address dialog");
        return true;
    }
    bool AskTcpPort() override
    {
        calls.push_back("tcp port dialog");
        return true;
    }
    void OpenLanguageWindow(const cmcCellCapsule &) override { calls.push_back("language window"); }
    void StartAdjustRead() override { calls.push_back("adjust read"); }
    void OpenSheet(const std::string &callText) override
    {
        calls.push_back("open sheet " + callText);
    }
    void ShowHelpContents(const std::string &path) override
    {
        calls.push_back("help contents " + path);
    }
    void ShowHelpContext(const std::string &path, int context) override
    {
        calls.push_back("help " + path + " #" + std::to_string(context));
    }
    void CopyToClipboard(const std::string &text) override { calls.push_back("clipboard " + text); }
    void OpenSelectionList(const cmcCellCapsule &, std::int32_t style, std::int32_t current,
                           const std::string &sheetKey, const std::string &listTag) override
    {
        calls.push_back("list " + sheetKey + " style " + std::to_string(style) + " at " +
                        std::to_string(current) + " tag " + listTag);
    }
    void OpenCellWindow(const cmcCellCapsule &, const CodecOpen &window) override
    {
        calls.push_back("window " + window.key + " " + std::to_string(window.first) + ".." +
                        std::to_string(window.last));
    }
    void *MainMenuWithEmptyEditEntry() override { return emptyEditMenu; }
    bool ChooseFileToOpen(const FileDialog &, std::string &) override
    {
        calls.push_back("open dialog");
        return false;
    }
    bool ChooseFileToSave(const FileDialog &, std::string &) override
    {
        calls.push_back("save dialog");
        return false;
    }

    std::vector<std::string> &calls;
    bool canPrint = false;
    void *emptyEditMenu = nullptr;
};

// The model object with its clone commands, help topics and change hook
// recorded.
class ProbeModel : public indMain
{
public:
    explicit ProbeModel(std::vector<std::string> &log) : calls(log) {}

    void CellChangeHook() override
    {
        ++changeHooks;
        indMain::CellChangeHook();
    }
    void CloneRead() override { calls.push_back("clone read"); }
    void CloneWriteCommand() override { calls.push_back("clone write"); }
    void CloneInfo() override { calls.push_back("clone info"); }
    int FindHelpContext(const cmcCellCapsule &) override { return helpTopic; }

    std::vector<std::string> &calls;
    int changeHooks = 0;
    int helpTopic = 0;
};

// Records what the handler raises and answers the sheets' bank and table
// queries as a sheet would.
struct EventLog {
    static void callback(void *object, const cmcEvent &event)
    {
        auto *self = static_cast<EventLog *>(object);
        if (event.delivery == cmcEvent::kQuery) {
            if (event.type == kEvCurrentBank && self->answerBank)
                eventManager().Answer(self->bank, 0);
            else if (event.type == kEvCurrentTable)
                eventManager().Answer(self->table, 0);
            return;
        }
        if (event.type == kEvIdle)
            return;
        std::string seen =
            (event.delivery == cmcEvent::kPosted ? "post " : "send ") + std::to_string(event.type);
        if (!event.data.empty())
            seen += " " + event.text();
        if (event.argument != 0)
            seen += " @" + std::to_string(event.argument);
        self->seen.push_back(seen);
        self->objects.push_back(event.object);
    }

    std::vector<std::string> seen;
    std::vector<void *> objects;
    bool answerBank = true;
    std::int32_t bank = 0;
    std::int32_t table = 0;
};

// One request as a sheet, menu or tool bar makes it, with the masks the
// handler asks it to redraw.
struct Request {
    explicit Request(cmcCellObj &target, std::int32_t code = 0)
    {
        capsule.cell = &target;
        capsule.code = code;
        capsule.redraw = {&Request::onRedraw, this};
    }
    Request(const Request &) = delete;
    Request &operator=(const Request &) = delete;

    static void onRedraw(void *context, const cmcCellCapsule &, std::uint32_t mask)
    {
        static_cast<Request *>(context)->masks.push_back(mask);
    }

    // Posted events are delivered at once, so that tests see them.
    std::int32_t run(std::int32_t mode, const CellBindingRegistry &bindings = programBindings())
    {
        indActiveCell context;
        result = indCellHandler::HandleWith(bindings, &context, capsule, mode);
        eventManager().Tick();
        return result;
    }

    cmcCellCapsule capsule;
    std::vector<std::uint32_t> masks;
    std::int32_t result = -1;
};

inline cmcCellObj cellOf(std::int32_t category, std::int32_t label, std::int32_t index = 0)
{
    cmcCellObj cell;
    cell.category = category;
    cell.label = label;
    cell.index = index;
    return cell;
}

// A key on a sheet the user works in (keys count only on a grid; the
// handler never touches it); the redraw masks the handler asked for.
inline std::vector<std::uint32_t> pressKey(cmcCellObj cell, std::int32_t key)
{
    Request request(cell, key);
    int grid = 0;
    request.capsule.grid = reinterpret_cast<cuiGrid *>(&grid);
    request.run(kHandlerAction);
    return request.masks;
}

// The text the user finished typing into the cell.
inline void typeInto(cmcCellObj cell, const std::string &text)
{
    Request request(cell);
    request.capsule.inputMode = cmcCellCapsule::kInputText;
    request.capsule.inputText = text;
    request.run(kHandlerAction);
}

// The answer of the selection list the cell opened: entry `entry` of the
// list whose entries carry the label `style`; a window answers with style 1
// and its text. The redraw masks the handler asked for.
inline std::vector<std::uint32_t> chooseFor(cmcCellObj cell, std::int32_t style,
                                            std::int32_t entry, const std::string &text = {})
{
    cmcCellObj answering = cellOf(CT_Null, style, entry);
    cmcCellCapsule list;
    list.cell = &answering;
    Request request(cell);
    request.capsule.origin = &list;
    request.capsule.inputMode = cmcCellCapsule::kInputChosen;
    request.capsule.inputText = text;
    request.run(kHandlerAction);
    return request.masks;
}

// User flags 0-3 of a cell as bits 0-3.
inline int flagsOf(const cmcCellObj &cell)
{
    int flags = 0;
    for (int flag = 0; flag < 4; ++flag)
        flags |= cell.UserFlag(flag) ? 1 << flag : 0;
    return flags;
}

inline void setFlags(cmcCellObj &cell, int flags)
{
    for (int flag = 0; flag < 4; ++flag)
        cell.SetUserFlag(flag, (flags & (1 << flag)) != 0);
}

// The model object on detached default settings, reading the overlays of
// tests/fixtures/handler and the program's initial files from a private
// program folder; installed as the program's model.
class HandlerTest : public ::testing::Test
{
protected:
    // programTexts: the program's own overlays instead of the small ones of
    // the fixtures, for families that read their real option lists.
    explicit HandlerTest(bool programTexts = false)
        : settings(indEnviron::Detached::Defaults), view(calls), messages_(recorder)
    {
        installEnvironment(&settings);
        fillProgramFolder(programTexts);
        platform::setProgramDirectory(folder_.path().toStdString());
        model = std::make_unique<ProbeModel>(calls);
        model->AttachView(&view);
        model->BuildWindow();
        installModelObject(model.get());
        // What building the window posted is not the tests' business.
        eventManager().Tick();
        eventManager().Register(&EventLog::callback, &events);
        calls.clear();
        recorder.clear();
    }
    ~HandlerTest() override
    {
        eventManager().Tick();
        eventManager().Unregister(&EventLog::callback, &events);
        installModelObject(nullptr);
        platform::setProgramDirectory({});
        installEnvironment(nullptr);
    }

    std::string programFolder() const { return folder_.path().toStdString() + "/"; }

    // Bank 0 holds one channel per frequency (0: a channel not in use).
    void setChannels(std::initializer_list<std::int32_t> frequencies)
    {
        datCh channel(&model->WorkingImage());
        channel.setBankChannelCount(0, static_cast<int>(frequencies.size()));
        int row = 0;
        for (std::int32_t frequency : frequencies) {
            channel.decode(datCh::channelKind(), row);
            channel.FreqR = frequency;
            channel.FreqT = frequency;
            channel.encode(datCh::kKindNone, row++);
        }
    }

    indEnviron settings;
    platform::RecordingMessageService recorder;
    std::vector<std::string> calls;
    RecordingView view;
    EventLog events;
    std::unique_ptr<ProbeModel> model;

private:
    void fillProgramFolder(bool programTexts)
    {
        const QString fixtures = QString::fromStdString(testing_support::fixtureDir() + "handler/");
        const QString data = QString::fromStdString(testing_support::sourceDir() + "data/");
        const QString into = folder_.path() + "/";
        for (const char *name : {"QX7315C.OVL", "QX7315C_ENG.OVL"})
            QFile::copy((programTexts ? data : fixtures) + name, into + name);
        for (const char *name : {"QX7315C_LMR.vrc", "QX7315C_PMR.vrc"})
            QFile::copy(data + name, into + name);
    }

    QTemporaryDir folder_;
    platform::ScopedMessageService messages_;
};
