#include "model/reference_channels.h"

#include <initializer_list>

#include "model/definition_kind.h"

bool isWavChannel(BmsWord channel)
{
    if (channel.equalsText("01"))
        return true;
    // 11..6Z, without 20, 30, 40, 50 and 60, which lie inside that range but carry no sounds.
    // Channel numbers are upper case: base-62 values of lower-case words lie in between.
    // Spelled once: every object line of a chart asks.
    static const int first = BmsWord("11").value();
    static const int last = BmsWord("6Z").value();
    const int value = channel.value();
    return value >= first && value <= last && channel.low() != '0' && !channel.hasLowerCase();
}

bool isBmpChannel(BmsWord channel)
{
    for (const char* bmpChannel : { "04", "06", "07", "0A", "A5" }) {
        if (channel.equalsText(bmpChannel))
            return true;
    }
    return false;
}

bool isChannelOfKind(BmsWord channel, DefinitionKind kind)
{
    return kind == kKindBmp ? isBmpChannel(channel) : isWavChannel(channel);
}

bool namesHeaderKeys(BmsWord channel)
{
    return channel.equalsText("08") || channel.equalsText("09");
}
