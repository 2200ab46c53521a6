#include "tests/support/EveryPageDevice.h"

#include "app/PageTable.h"

std::string EveryPageDeviceXml() {
    const std::string level = "controls=\"volume mute\" min=\"-16384\" max=\"0\" step=\"256\"";
    const auto channels = [&level](const std::string& master) {
        return "<Channel index=\"0\" name=\"" + master + "\" " + level + "/>" +
               "<Channel index=\"1\" name=\"Left\" " + level + "/>" +
               "<Channel index=\"2\" name=\"Right\" " + level + "/>";
    };
    const auto formats = [](int firstId) {
        return "<StreamFormat id=\"" + std::to_string(firstId) +
               "\" bits=\"24\" channels=\"2\" type=\"pcm\"><Profile id=\"stereo\" "
               "name=\"Stereo\"/><Profile id=\"wide\" name=\"Wide\"/></StreamFormat>"
               "<StreamFormat id=\"" +
               std::to_string(firstId + 1) +
               "\" bits=\"16\" channels=\"2\" type=\"pcm\"><Profile id=\"stereo\" "
               "name=\"Stereo\"/></StreamFormat>";
    };
    return "<AsioInstance number=\"0\" name=\"Main\" bufferSizes=\"64 128 256\" "
           "preferredBufferSize=\"128\" preferredDevice=\"1\"/>"
           "<AsioInstance number=\"1\" name=\"Second\" bufferSizes=\"64 128\" "
           "preferredBufferSize=\"64\"/>"
           "<Device id=\"1\" vid=\"0x2FC0\" pid=\"0x0210\" revision=\"0x0100\" serial=\"E-1\" "
           "manufacturer=\"Maker\" product=\"Every Page Interface\" panelOptions=\"0x3\" "
           "streamingMode=\"1\" formatSelectionMode=\"1\" asioInstance=\"0\" asioAllowed=\"0 1\">"
           "<SampleRates current=\"48000\">44100 48000 96000</SampleRates>"
           "<ClockSources current=\"1\"><ClockSource id=\"1\" unitId=\"16\" name=\"Internal\"/>"
           "<ClockSource id=\"2\" unitId=\"17\" name=\"ADAT In\" rate=\"48000\"/></ClockSources>"
           "<Clients streaming=\"0\" wdm=\"0\" asio=\"0\"/>"
           "<Input currentFormat=\"1\">" +
           formats(1) + channels("Input Master") + "</Input><Output currentFormat=\"11\">" +
           formats(11) + channels("Output Master") + "</Output></Device>";
}

void ShowEveryPage(ConfigSettings& settings) {
    for (const PageRow& row : DevicePageRows())
        settings.*row.visibility = Visibility::Visible;
}
