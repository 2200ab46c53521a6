#include "config/UiTextIds.h"

#define KORVELINE_UI_TEXT_NO_GROUP(name, kind)
#define KORVELINE_UI_TEXT_DEFINE_HANDLE(id, defaultText) UiTextHandle id;
KORVELINE_UI_TEXT_TABLE(KORVELINE_UI_TEXT_NO_GROUP, KORVELINE_UI_TEXT_DEFINE_HANDLE)

const std::vector<UiTextGroupDefinition>& BuiltInUiTextTable() {
    static const std::vector<UiTextGroupDefinition> table = [] {
        std::vector<UiTextGroupDefinition> groups;
#define KORVELINE_UI_TEXT_ADD_GROUP(name, kind)                                                    \
    groups.push_back({L"" #name, UiTextGroupKind::kind, {}});
#define KORVELINE_UI_TEXT_ADD_ENTRY(id, defaultText)                                               \
    groups.back().texts.push_back({L"" #id, defaultText, &id});
        KORVELINE_UI_TEXT_TABLE(KORVELINE_UI_TEXT_ADD_GROUP, KORVELINE_UI_TEXT_ADD_ENTRY)
        return groups;
    }();
    return table;
}

namespace {

#define KORVELINE_UI_TEXT_ADDRESS(id, defaultText) &id,

const UiTextHandle* const kInputChannelNames[] = {
    &PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_MASTER,
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(KORVELINE_UI_TEXT_ADDRESS,
                                        PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_)};
const UiTextHandle* const kOutputChannelNames[] = {
    &PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_MASTER,
    KORVELINE_UI_TEXTS_NUMBERED_1_TO_32(KORVELINE_UI_TEXT_ADDRESS,
                                        PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_)};
// Index 0 is no pair: pairs count from 1.
const UiTextHandle* const kInputStereoNames[] = {
    nullptr, KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(KORVELINE_UI_TEXT_ADDRESS,
                                                 PAGE_VOLUME_DIALOG_INPUT_CHANNEL_NAME_STEREO_)};
const UiTextHandle* const kOutputStereoNames[] = {
    nullptr, KORVELINE_UI_TEXTS_NUMBERED_1_TO_16(KORVELINE_UI_TEXT_ADDRESS,
                                                 PAGE_VOLUME_DIALOG_OUTPUT_CHANNEL_NAME_STEREO_)};

const UiTextHandle kNoText;

template <size_t N>
const UiTextHandle& Pick(const UiTextHandle* const (&handles)[N], unsigned index) {
    return index < N && handles[index] ? *handles[index] : kNoText;
}

} // namespace

const UiTextHandle& ChannelNameText(unsigned direction, unsigned channel) {
    if (direction > 1)
        return kNoText;
    return direction == 1 ? Pick(kInputChannelNames, channel) : Pick(kOutputChannelNames, channel);
}

const UiTextHandle& StereoChannelNameText(unsigned direction, unsigned pair) {
    if (direction > 1)
        return kNoText;
    return direction == 1 ? Pick(kInputStereoNames, pair) : Pick(kOutputStereoNames, pair);
}
