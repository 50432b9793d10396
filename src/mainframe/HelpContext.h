#pragma once

#include <cstdint>
#include <string>

class cmcEeprom;
class cmcFCache;
class cmcGTex;
class cmcHelpGTex;

// Context help of a cell: the cell's label (and for function cells the
// function it holds) names a topic in the help overlay, and the topic names
// the help file's context number.
namespace help_context {

struct Topic {
    std::string text; // what the overlay's topic list is searched for
    std::string key;  // the overlay key of that list
};

// The topic of the cell `label`/`index`: function cells take the display
// text of the function they hold in `image` (the option text that the
// selection sheets of `texts` give it), every other cell its label's name.
Topic topicOf(std::int32_t label, std::int32_t index, const cmcEeprom &image, cmcGTex &texts,
              cmcFCache &formats);

// The context number of a topic; 0 when the overlay does not list it.
int contextOf(cmcHelpGTex &overlay, const Topic &topic);

// The number at the start of `text` as atol reads it; 0 for none.
int leadingNumber(const std::string &text);

} // namespace help_context
