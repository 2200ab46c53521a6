#include "sim/SimScenarioReader.h"

#include "sim/SimStatus.h"
#include "sim/SimText.h"

#include <windows.h>

#include <tinyxml2.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>
#include <set>

namespace {

// Ends the reading at the first fault; caught in ReadSimScenario.
struct ScenarioFault {
    std::wstring message;
};

[[noreturn]] void Fail(const tinyxml2::XMLElement& element, const std::wstring& what) {
    throw ScenarioFault{L"line " + std::to_wstring(element.GetLineNum()) + L": <" +
                        Utf8ToWide(element.Name()) + L">: " + what};
}

// Reads the attributes of one element; every attribute must be taken by name, so a
// misspelt one is reported instead of silently ignored.
class Attributes {
public:
    explicit Attributes(const tinyxml2::XMLElement& element) : element_(element) {}

    ~Attributes() noexcept(false) {
        if (std::uncaught_exceptions())
            return;
        for (auto* a = element_.FirstAttribute(); a; a = a->Next())
            if (!taken_.count(a->Name()))
                Fail(element_, L"unknown attribute '" + Utf8ToWide(a->Name()) + L"'");
    }

    std::optional<std::wstring> Text(const char* name) {
        taken_.insert(name);
        const char* value = element_.Attribute(name);
        if (!value)
            return std::nullopt;
        return Utf8ToWide(value);
    }
    std::wstring Text(const char* name, const std::wstring& fallback) {
        return Text(name).value_or(fallback);
    }

    std::uint32_t U32(const char* name, std::uint32_t fallback) {
        auto text = Text(name);
        if (!text)
            return fallback;
        auto value = ParseU32(*text);
        if (!value)
            Bad(name, *text, L"an unsigned number");
        return *value;
    }
    std::optional<std::uint32_t> OptionalU32(const char* name) {
        if (!element_.Attribute(name)) {
            taken_.insert(name);
            return std::nullopt;
        }
        return U32(name, 0);
    }

    std::int16_t I16(const char* name, std::int16_t fallback) {
        auto text = Text(name);
        if (!text)
            return fallback;
        auto value = ParseI32(*text);
        if (!value || *value < std::numeric_limits<std::int16_t>::min() ||
            *value > std::numeric_limits<std::int16_t>::max())
            Bad(name, *text, L"a number from -32768 to 32767");
        return static_cast<std::int16_t>(*value);
    }

    bool Bool(const char* name, bool fallback) {
        auto text = Text(name);
        if (!text)
            return fallback;
        if (*text == L"true" || *text == L"1")
            return true;
        if (*text == L"false" || *text == L"0")
            return false;
        Bad(name, *text, L"true or false");
    }

    std::vector<std::uint32_t> U32List(const char* name) {
        std::vector<std::uint32_t> values;
        for (const auto& token : SplitCommandLine(Text(name, L""))) {
            auto value = ParseU32(token);
            if (!value)
                Bad(name, token, L"a list of unsigned numbers");
            values.push_back(*value);
        }
        return values;
    }

    template <typename T>
    T Choice(const char* name, T fallback, const std::map<std::wstring, T>& choices) {
        auto text = Text(name);
        if (!text)
            return fallback;
        auto it = choices.find(*text);
        if (it != choices.end())
            return it->second;
        std::wstring allowed;
        for (const auto& [word, value] : choices)
            allowed += (allowed.empty() ? L"" : L", ") + word;
        Bad(name, *text, L"one of " + allowed);
    }

    [[noreturn]] void Bad(const char* name, const std::wstring& value, const std::wstring& want) {
        Fail(element_,
             L"attribute '" + Utf8ToWide(name) + L"' is '" + value + L"', expected " + want);
    }

private:
    const tinyxml2::XMLElement& element_;
    std::set<std::string> taken_;
};

using ChildReader = std::function<void(const tinyxml2::XMLElement&)>;

// Hands each child element to the reader registered for its name; others are faults.
void ForEachChild(const tinyxml2::XMLElement& parent,
                  const std::map<std::string, ChildReader>& readers) {
    for (auto* child = parent.FirstChildElement(); child; child = child->NextSiblingElement()) {
        auto it = readers.find(child->Name());
        if (it == readers.end())
            Fail(*child, L"unexpected element inside <" + Utf8ToWide(parent.Name()) + L">");
        it->second(*child);
    }
}

void NoChildren(const tinyxml2::XMLElement& element) {
    ForEachChild(element, {});
}

std::uint32_t ParseVersion(Attributes& attributes, const char* name, std::uint32_t fallback) {
    auto text = attributes.Text(name);
    if (!text)
        return fallback;
    auto dot = text->find(L'.');
    if (dot == std::wstring::npos) {
        if (auto value = ParseU32(*text))
            return *value;
    } else {
        auto major = ParseU32(text->substr(0, dot));
        auto minor = ParseU32(text->substr(dot + 1));
        if (major && minor && *major <= 0xFFFF && *minor <= 0xFFFF)
            return (*major << 16) | *minor;
    }
    attributes.Bad(name, *text, L"MAJOR.MINOR or a 32-bit number");
}

// What the scenario lets its data be: a scenario with oddData="true" may repeat ids and
// give a device id 0, as a faulty driver would.
struct ReadRules {
    bool oddData = false;
};

template <typename Item, typename Key>
void RequireUnique(const ReadRules& rules, const tinyxml2::XMLElement& element,
                   const std::vector<Item>& items, Key key, const std::wstring& what) {
    if (rules.oddData)
        return;
    for (std::size_t i = 0; i + 1 < items.size(); ++i)
        if (key(items[i]) == key(items.back()))
            Fail(element, L"duplicate " + what);
}

SimProfile ReadProfile(const tinyxml2::XMLElement& element) {
    SimProfile profile;
    {
        Attributes a(element);
        auto id = a.Text("id");
        if (!id || id->empty())
            Fail(element, L"attribute 'id' is required");
        profile.id = *id;
        profile.name = a.Text("name", profile.id);
    }
    NoChildren(element);
    return profile;
}

void AddProfile(const ReadRules& rules, const tinyxml2::XMLElement& element,
                std::vector<SimProfile>& profiles) {
    profiles.push_back(ReadProfile(element));
    RequireUnique(
        rules, element, profiles, [](const SimProfile& p) { return p.id; }, L"profile id");
}

SimStreamFormat ReadStreamFormat(const ReadRules& rules, const tinyxml2::XMLElement& element) {
    SimStreamFormat format;
    std::optional<std::wstring> current;
    {
        Attributes a(element);
        format.id = a.U32("id", 0);
        format.bitsPerSample = a.U32("bits", format.bitsPerSample);
        format.channelCount = a.U32("channels", format.channelCount);
        format.sampleFormatType =
            a.Choice<std::uint32_t>("type", 0, {{L"pcm", 0}, {L"float", 1}, {L"other", 1000000}});
        current = a.Text("currentProfile");
    }
    ForEachChild(element, {{"Profile", [&](auto& e) { AddProfile(rules, e, format.profiles); }}});
    if (current)
        format.currentProfile = *current;
    else if (!format.profiles.empty())
        format.currentProfile = format.profiles.front().id;
    return format;
}

SimChannel ReadChannel(const tinyxml2::XMLElement& element) {
    SimChannel channel;
    {
        Attributes a(element);
        channel.index = a.U32("index", 0);
        channel.name = a.Text("name", L"");
        for (const auto& word : SplitCommandLine(a.Text("controls", L""))) {
            if (word == L"volume")
                channel.hasVolume = true;
            else if (word == L"mute")
                channel.hasMute = true;
            else
                a.Bad("controls", word, L"the words volume and mute");
        }
        channel.minimum = a.I16("min", channel.minimum);
        channel.maximum = a.I16("max", channel.maximum);
        channel.resolution = static_cast<std::uint16_t>(a.U32("step", channel.resolution));
        channel.volume = a.I16("volume", channel.volume);
        channel.muted = a.Bool("muted", channel.muted);
    }
    if (channel.minimum > channel.maximum)
        Fail(element, L"'min' is above 'max'");
    NoChildren(element);
    return channel;
}

SimDirection ReadDirection(const ReadRules& rules, const tinyxml2::XMLElement& element) {
    SimDirection direction;
    std::optional<std::uint32_t> currentFormat;
    std::optional<std::wstring> currentVirtual;
    {
        Attributes a(element);
        currentFormat = a.OptionalU32("currentFormat");
        currentVirtual = a.Text("currentVirtualProfile");
    }
    ForEachChild(
        element,
        {{"StreamFormat",
          [&](auto& e) {
              direction.formats.push_back(ReadStreamFormat(rules, e));
              RequireUnique(
                  rules, e, direction.formats, [](const SimStreamFormat& f) { return f.id; },
                  L"stream format id");
          }},
         {"VirtualProfile", [&](auto& e) { AddProfile(rules, e, direction.virtualProfiles); }},
         {"Channel", [&](auto& e) {
              direction.channels.push_back(ReadChannel(e));
              RequireUnique(
                  ReadRules{}, e, direction.channels, [](const SimChannel& c) { return c.index; },
                  L"channel index");
          }}});
    if (currentFormat)
        direction.currentFormat = *currentFormat;
    else if (!direction.formats.empty())
        direction.currentFormat = direction.formats.front().id;
    if (currentVirtual)
        direction.currentVirtualProfile = *currentVirtual;
    else if (!direction.virtualProfiles.empty())
        direction.currentVirtualProfile = direction.virtualProfiles.front().id;
    return direction;
}

void ReadSampleRates(const tinyxml2::XMLElement& element, SimDevice& device) {
    std::optional<std::uint32_t> current;
    {
        Attributes a(element);
        current = a.OptionalU32("current");
    }
    NoChildren(element);
    const char* text = element.GetText();
    for (const auto& token : SplitCommandLine(text ? Utf8ToWide(text) : L"")) {
        auto rate = ParseU32(token);
        if (!rate)
            Fail(element, L"rate '" + token + L"' is not an unsigned number");
        device.sampleRates.push_back(*rate);
    }
    device.currentSampleRate =
        current.value_or(device.sampleRates.empty() ? 0 : device.sampleRates.front());
}

SimClockSource ReadClockSource(const tinyxml2::XMLElement& element) {
    SimClockSource source;
    {
        Attributes a(element);
        source.id = a.U32("id", 0);
        source.unitId = a.U32("unitId", 0);
        source.name = a.Text("name", L"");
        source.sampleRate = a.OptionalU32("rate");
        source.locks = a.Bool("valid", true);
        source.valid = source.locks;
        source.settleMs = a.U32("settleMs", 0);
    }
    NoChildren(element);
    return source;
}

void ReadClockSources(const ReadRules& rules, const tinyxml2::XMLElement& element,
                      SimDevice& device) {
    std::optional<std::uint32_t> current;
    {
        Attributes a(element);
        current = a.OptionalU32("current");
    }
    ForEachChild(element, {{"ClockSource", [&](auto& e) {
                                device.clockSources.push_back(ReadClockSource(e));
                                RequireUnique(
                                    rules, e, device.clockSources,
                                    [](const SimClockSource& s) { return s.id; },
                                    L"clock source id");
                            }}});
    device.currentClockSource =
        current.value_or(device.clockSources.empty() ? 0 : device.clockSources.front().id);
}

void ReadClients(const tinyxml2::XMLElement& element, SimDevice& device) {
    {
        Attributes a(element);
        device.streamingState = a.U32("streaming", 0);
        device.wdmClients = a.U32("wdm", 0);
        device.asioClients = a.U32("asio", 0);
    }
    NoChildren(element);
}

SimDevice ReadDevice(const ReadRules& rules, const tinyxml2::XMLElement& element,
                     std::uint32_t defaultId) {
    SimDevice device;
    {
        Attributes a(element);
        device.id = a.U32("id", defaultId);
        device.vendorId = a.U32("vid", 0);
        device.productId = a.U32("pid", 0);
        device.revision = a.U32("revision", device.revision);
        device.serialNumber = a.Text("serial", L"");
        device.manufacturer = a.Text("manufacturer", L"");
        device.product = a.Text("product", L"");
        device.audioFunction = a.Bool("audioFunction", true);
        device.plugged = a.Bool("plugged", true);
        device.usbMode = a.U32("usbMode", 0);
        device.panelOptions = a.U32("panelOptions", 0);
        device.streamingMode = a.U32("streamingMode", device.streamingMode);
        device.formatSelectionMode = a.U32("formatSelectionMode", device.formatSelectionMode);
        auto relation = a.Text("asioInstance", L"none");
        if (relation != L"none") {
            auto number = ParseU32(relation);
            if (!number)
                a.Bad("asioInstance", relation, L"an instance number or none");
            device.asioRelation = *number;
        }
        device.asioAllowed = a.U32List("asioAllowed");
    }
    if (device.id == 0 && !rules.oddData)
        Fail(element, L"attribute 'id' must not be 0");
    bool haveInput = false, haveOutput = false;
    auto once = [&](const tinyxml2::XMLElement& e, bool& seen) {
        if (seen)
            Fail(e, L"appears twice in one <Device>");
        seen = true;
    };
    ForEachChild(element, {{"SampleRates", [&](auto& e) { ReadSampleRates(e, device); }},
                           {"ClockSources", [&](auto& e) { ReadClockSources(rules, e, device); }},
                           {"Clients", [&](auto& e) { ReadClients(e, device); }},
                           {"Input",
                            [&](auto& e) {
                                once(e, haveInput);
                                device.input = ReadDirection(rules, e);
                            }},
                           {"Output", [&](auto& e) {
                                once(e, haveOutput);
                                device.output = ReadDirection(rules, e);
                            }}});
    // A profile request names its stream format by id alone.
    for (const auto& input : device.input.formats)
        for (const auto& output : device.output.formats)
            if (input.id == output.id && !rules.oddData)
                Fail(element, L"stream format id " + std::to_wstring(input.id) +
                                  L" is used by both directions");
    return device;
}

SimAsioInstance ReadAsioInstance(const tinyxml2::XMLElement& element, std::uint32_t defaultNumber) {
    SimAsioInstance instance;
    {
        Attributes a(element);
        instance.number = a.U32("number", defaultNumber);
        instance.name = a.Text("name", L"");
        instance.bufferSizes = a.U32List("bufferSizes");
        instance.preferredBufferSize = a.U32(
            "preferredBufferSize", instance.bufferSizes.empty() ? 0 : instance.bufferSizes.front());
        instance.options = a.U32("options", 0);
        if (a.Bool("safeMode", false))
            instance.options |= 0x10000;
        instance.cookie = a.U32("cookie", 0x5A000000u | instance.number);
        instance.inputLatencyExtra = a.U32("inputLatencyExtra", 0);
        instance.outputLatencyExtra = a.U32("outputLatencyExtra", 0);
        instance.dsd = a.Bool("dsd", false);
        instance.preferredDevice = a.OptionalU32("preferredDevice");
    }
    NoChildren(element);
    return instance;
}

void ReadDriver(const tinyxml2::XMLElement& element, SimScenario& scenario) {
    {
        Attributes a(element);
        auto version = a.Text("version", L"1.0.0");
        std::vector<std::uint32_t> parts;
        std::size_t start = 0;
        while (true) {
            auto dot = version.find(L'.', start);
            auto part = ParseU32(version.substr(start, dot - start));
            if (!part)
                a.Bad("version", version, L"MAJOR.MINOR.BUILD");
            parts.push_back(*part);
            if (dot == std::wstring::npos)
                break;
            start = dot + 1;
        }
        if (parts.size() != 3)
            a.Bad("version", version, L"MAJOR.MINOR.BUILD");
        scenario.driverMajor = parts[0];
        scenario.driverMinor = parts[1];
        scenario.driverBuild = parts[2];
        scenario.driverDebug = a.Bool("debug", false);
    }
    NoChildren(element);
}

SimScenario ReadRoot(const tinyxml2::XMLElement& root) {
    if (std::string_view(root.Name()) != "Scenario")
        Fail(root, L"the root element must be <Scenario>");
    SimScenario scenario;
    ReadRules rules;
    {
        Attributes a(root);
        rules.oddData = a.Bool("oddData", false);
        scenario.apiVersion = ParseVersion(a, "apiVersion", scenario.apiVersion);
        scenario.versionCheck = a.Choice<SimVersionCheck>("versionCheck", SimVersionCheck::Auto,
                                                          {{L"auto", SimVersionCheck::Auto},
                                                           {L"accept", SimVersionCheck::Accept},
                                                           {L"refuse", SimVersionCheck::Refuse}});
    }
    ForEachChild(
        root, {{"Driver", [&](auto& e) { ReadDriver(e, scenario); }},
               {"AsioInstance",
                [&](auto& e) {
                    scenario.asioInstances.push_back(ReadAsioInstance(
                        e, static_cast<std::uint32_t>(scenario.asioInstances.size())));
                    RequireUnique(
                        rules, e, scenario.asioInstances,
                        [](const SimAsioInstance& i) { return i.number; }, L"ASIO instance number");
                }},
               {"Device", [&](auto& e) {
                    scenario.devices.push_back(ReadDevice(
                        rules, e, static_cast<std::uint32_t>(scenario.devices.size() + 1)));
                    RequireUnique(
                        ReadRules{}, e, scenario.devices, [](const SimDevice& d) { return d.id; },
                        L"device id");
                }}});
    for (const auto& instance : scenario.asioInstances) {
        if (!instance.preferredDevice)
            continue;
        bool known =
            std::any_of(scenario.devices.begin(), scenario.devices.end(),
                        [&](const SimDevice& d) { return d.id == *instance.preferredDevice; });
        if (!known)
            Fail(root, L"ASIO instance " + std::to_wstring(instance.number) +
                           L" names an unknown preferred device " +
                           std::to_wstring(*instance.preferredDevice));
    }
    return scenario;
}

} // namespace

SimScenarioReadResult ReadSimScenario(std::string_view utf8Xml) {
    tinyxml2::XMLDocument document;
    if (document.Parse(utf8Xml.data(), utf8Xml.size()) != tinyxml2::XML_SUCCESS)
        return {kSimBadScenario, std::nullopt,
                L"line " + std::to_wstring(document.ErrorLineNum()) + L": " +
                    Utf8ToWide(document.ErrorStr())};
    const tinyxml2::XMLElement* root = document.RootElement();
    if (!root)
        return {kSimBadScenario, std::nullopt, L"line 1: no root element"};
    try {
        return {0, ReadRoot(*root), {}};
    } catch (const ScenarioFault& fault) {
        return {kSimBadScenario, std::nullopt, fault.message};
    }
}

SimScenarioReadResult ReadSimScenarioFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        StatusCode error = GetLastError();
        return {error, std::nullopt,
                L"cannot open " + path + L" (error " + std::to_wstring(error) + L")"};
    }
    // Scenario files are small; a huge file is a mistake, not a scenario.
    constexpr DWORD kLimit = 16u << 20;
    std::string text;
    LARGE_INTEGER size{};
    StatusCode status = GetFileSizeEx(file, &size) ? 0 : GetLastError();
    if (!status && size.QuadPart > kLimit)
        status = ERROR_FILE_TOO_LARGE;
    if (!status) {
        text.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr))
            status = GetLastError();
        text.resize(read);
    }
    CloseHandle(file);
    if (status)
        return {status, std::nullopt,
                L"cannot read " + path + L" (error " + std::to_wstring(status) + L")"};
    return ReadSimScenario(text);
}
