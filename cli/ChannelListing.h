#pragma once

#include <string>
#include <vector>

class indMain;

// The memory channels in use of the model's document, every value as the
// model type's memory channel sheet shows it (the sheet the tree opens, its
// cells drawn by the cell handler): a heading line, then one line per
// channel, columns aligned. Where the sheet shows the arrow that means "as
// the receive side", the receive side's value is given instead: a dump is
// read column by column. Names come in the sheet's escaped form, so no byte
// of the file reaches the terminal as it is. Empty when no sheet of the tree
// shows channels.
std::vector<std::string> channelListing(indMain &model);
