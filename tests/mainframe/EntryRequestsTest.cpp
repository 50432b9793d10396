// The block operations ask the model object, through the event manager, to
// open or close a place in the memory channels or a growing list.
#include "ModelTestFixture.h"

#include "cells/EventCodes.h"
#include "cells/GlobalEvents.h"
#include "cells/cmcEvMan.h"
#include "cells/cmcEvent.h"
#include "channels/ChannelGlobals.h"
#include "channels/datCh.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace {

namespace wl = working_layout;

using Raised = std::pair<int32_t, std::intptr_t>;

// Every event raised while it lives, with its argument.
class EventLog
{
public:
    EventLog() { eventManager().Register(&EventLog::record, this); }
    ~EventLog() { eventManager().Unregister(&EventLog::record, this); }
    EventLog(const EventLog &) = delete;
    EventLog &operator=(const EventLog &) = delete;

    // The events after the request itself.
    std::vector<Raised> after(int32_t request) const
    {
        std::vector<Raised> rest;
        for (const Raised &event : events)
            if (event.first != request)
                rest.push_back(event);
        return rest;
    }

    std::vector<Raised> events;

private:
    static void record(void *object, const cmcEvent &event)
    {
        static_cast<EventLog *>(object)->events.emplace_back(event.type, event.argument);
    }
};

class EntryRequests : public ModelTest
{
protected:
    // What building the window posted is delivered before a test looks.
    EntryRequests()
    {
        for (int tick = 0; tick < 10 && eventManager().queuedCount() > 0; ++tick)
            eventManager().Tick();
    }

    datCh entry(cmcEeprom &image, int kind, int row)
    {
        datCh record(&image);
        record.decode(kind, row);
        return record;
    }
    // Entries 0 .. count - 1 of a list with ids 100, 101, ...; the document
    // then counts as saved.
    void fillList(int kind, int count)
    {
        cmcEeprom &image = model->WorkingImage();
        ChannelGlobals::setListCount(image, kind, count);
        for (int row = 0; row < count; ++row) {
            datCh record = entry(image, kind, row);
            record.Id = 100 + row;
            record.encode(kind, row);
        }
        model->MarkSaved();
    }
    void fillChannels(int count)
    {
        cmcEeprom &image = model->WorkingImage();
        for (int channel = 0; channel < count; ++channel)
            useChannel(image, channel, 146000000 + 12500 * static_cast<uint32_t>(channel));
        model->MarkSaved();
    }
    int32_t frequency(int channel)
    {
        return entry(model->WorkingImage(), datCh::channelKind(), channel).FreqR;
    }
    // After a change the radio layout is up to date: converting once more
    // changes nothing.
    bool layoutUpToDate()
    {
        cmcEeprom again;
        again.CopyFrom(model->WorkingImage());
        model->Conversion().WorkingToRadio(again, false);
        return again.Equals(model->WorkingImage());
    }
};

struct ListCase {
    int32_t event;
    int kind;
    bool insert;
};

const ListCase kListCases[] = {
    {kEvInsertIndividualIds, datCh::kKindDigInd, true},
    {kEvDeleteIndividualIds, datCh::kKindDigInd, false},
    {kEvInsertTalkGroups, datCh::kKindDigTg, true},
    {kEvDeleteTalkGroups, datCh::kKindDigTg, false},
    {kEvInsertCallList, datCh::kKindDpmrId, true},
    {kEvDeleteCallList, datCh::kKindDpmrId, false},
};

TEST_F(EntryRequests, ListRequestsMoveTheEntriesAndTheCountAndRefreshTheSheets)
{
    for (const ListCase &c : kListCases) {
        SCOPED_TRACE(c.event);
        fillList(c.kind, 3);
        EventLog log;
        eventManager().Send(c.event, nullptr, 1);

        cmcEeprom &image = model->WorkingImage();
        if (c.insert) {
            EXPECT_EQ(ChannelGlobals::listCount(image, c.kind), 4);
            EXPECT_EQ(entry(image, c.kind, 1).Id, entry(model->InitialImage(), c.kind, 1).Id);
            EXPECT_EQ(entry(image, c.kind, 2).Id, 101);
            EXPECT_EQ(entry(image, c.kind, 3).Id, 102);
        } else {
            EXPECT_EQ(ChannelGlobals::listCount(image, c.kind), 2);
            EXPECT_EQ(entry(image, c.kind, 1).Id, 102);
        }
        EXPECT_TRUE(model->IsModified());
        EXPECT_TRUE(layoutUpToDate());
        const std::vector<Raised> refresh = {
            {c.insert ? kEvAppendRows : kEvRemoveRows, 0},
            {kEvRefreshBankSheet, 0},
            {kEvRedrawFromIndex, 1},
        };
        EXPECT_EQ(log.after(c.event), refresh);
    }
}

TEST_F(EntryRequests, ChannelRequestsMoveTheChannelsAndKeepTheBankSize)
{
    fillChannels(4);
    const int32_t blank = entry(model->InitialImage(), datCh::channelKind(), 1).FreqR;
    {
        EventLog log;
        eventManager().Send(kEvInsertChannels, nullptr, 1);
        EXPECT_EQ(frequency(0), 146000000);
        EXPECT_EQ(frequency(1), blank);
        EXPECT_EQ(frequency(2), 146012500);
        EXPECT_EQ(frequency(4), 146037500);
        EXPECT_EQ(log.after(kEvInsertChannels), (std::vector<Raised>{{kEvRefreshBankSheet, 0}}));
        eventManager().Tick();
        EXPECT_EQ(log.after(kEvInsertChannels),
                  (std::vector<Raised>{{kEvRefreshBankSheet, 0}, {kEvRedrawLabelled, 0}}));
    }
    EventLog log;
    eventManager().Send(kEvDeleteChannels, nullptr, 0);
    EXPECT_EQ(frequency(0), blank);
    EXPECT_EQ(frequency(1), 146012500);
    EXPECT_EQ(image_words::read16(model->WorkingImage(), wl::kChannelCount), 4);
    EXPECT_TRUE(model->IsModified());
    EXPECT_TRUE(layoutUpToDate());
    EXPECT_EQ(log.after(kEvDeleteChannels),
              (std::vector<Raised>{{kEvRefreshBankSheet, 0}, {kEvRedrawFromIndex, 0}}));
}

TEST_F(EntryRequests, APostedRequestIsAnsweredOnTheTick)
{
    fillList(datCh::kKindDigTg, 2);
    eventManager().Post(kEvDeleteTalkGroups, nullptr, 0);
    EXPECT_EQ(ChannelGlobals::listCount(model->WorkingImage(), datCh::kKindDigTg), 2);
    eventManager().Tick();
    EXPECT_EQ(ChannelGlobals::listCount(model->WorkingImage(), datCh::kKindDigTg), 1);
    EXPECT_EQ(entry(model->WorkingImage(), datCh::kKindDigTg, 0).Id, 101);
    EXPECT_TRUE(model->IsModified());
}

// A list keeps one entry, holds at most 500 and opens a place at most one
// row past its end; a refused request leaves the document as it was.
TEST_F(EntryRequests, RefusedListRequestsChangeNothing)
{
    struct Refused {
        const char *what;
        int32_t event;
        int count;
        std::intptr_t index;
    } refused[] = {
        {"the last entry", kEvDeleteTalkGroups, 1, 0},
        {"a full list", kEvInsertTalkGroups, 500, 0},
        {"deleting past the end", kEvDeleteTalkGroups, 3, 3},
        {"inserting beyond the end", kEvInsertTalkGroups, 3, 4},
        {"an index beyond any int", kEvDeleteTalkGroups, 3, std::intptr_t{1} << 40},
        {"a negative index", kEvDeleteTalkGroups, 3, -1},
    };
    for (const Refused &r : refused) {
        SCOPED_TRACE(r.what);
        fillList(datCh::kKindDigTg, r.count);
        EventLog log;
        eventManager().Send(r.event, nullptr, r.index);
        EXPECT_FALSE(model->IsModified());
        EXPECT_TRUE(log.after(r.event).empty());
    }
}

TEST_F(EntryRequests, InsertingAtTheEndOfAListAppendsABlankEntry)
{
    fillList(datCh::kKindDigInd, 3);
    eventManager().Send(kEvInsertIndividualIds, nullptr, 3);
    cmcEeprom &image = model->WorkingImage();
    EXPECT_EQ(ChannelGlobals::listCount(image, datCh::kKindDigInd), 4);
    EXPECT_EQ(entry(image, datCh::kKindDigInd, 2).Id, 102);
    EXPECT_EQ(entry(image, datCh::kKindDigInd, 3).Id,
              entry(model->InitialImage(), datCh::kKindDigInd, 3).Id);
}

} // namespace
