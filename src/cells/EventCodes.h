#pragma once

#include <cstdint>

// The events raised through the event manager. Posted events wait for the
// next tick; sent and queried ones are delivered at once.
enum EventCode : std::int32_t {
    kEvControlClosing = 1,     // send, argument = the control going away
    kEvRefreshStates = 2,      // send: refresh menu and tool-bar states
    kEvAbout = 3,              // post: show the about box
    kEvStatusText = 4,         // text with object = text colour, argument = background
    kEvMenuStates = 9,         // send: menus refresh their items' states
    kEvEmptySubmenu = 10,      // send, argument = label of the item whose submenu empties
    kEvRebuildSubmenu = 11,    // text = context menu name, object = menu builder, argument = label
    kEvCurrentCellOfMenu = 12, // query, object = menu root item; answer data = the cell
    kEvRedrawLabelled = 13,    // redraw every labelled cell
    kEvRedrawIndex = 16,       // post, argument = index
    kEvRedrawFromIndex = 18,   // send, argument = index
    kEvToolStates = 20,        // send: tool bar refreshes its buttons
    kEvFinishEdits = 21,       // send: commit pending edits
    kEvRefreshViews = 25,      // post
    kEvRebuildChannelTree = 26,
    kEvInsertChannels = 27,
    kEvDeleteChannels = 28,
    kEvInsertIndividualIds = 29,
    kEvDeleteIndividualIds = 30,
    kEvInsertTalkGroups = 31,
    kEvDeleteTalkGroups = 32,
    kEvInsertCallList = 33,
    kEvDeleteCallList = 34,
    kEvCurrentBank = 35, // query: code = bank, value = its first channel
    kEvRefreshBankSheet = 36,
    kEvCurrentTable = 37, // query: code = table number
    kEvAppendRows = 38,   // send, object = number of rows
    kEvRemoveRows = 39,   // send, object = number of rows
    kEvRefreshBankImages = 40,
    kEvBankCaption = 41,    // post, text and index
    kEvRereadBankName = 42, // post, index
    kEvToggleAdWindow = 45,
    kEvRefreshWindows = 46,
    kEvCloseWindow = 47, // send, text = window name
    kEvIdle = 49,        // send with empty text when a tick found nothing queued
};
