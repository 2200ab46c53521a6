#include "sim/SimDefaultScenario.h"

// Two audio devices (a stereo DAC whose S/PDIF clock settles for a few seconds, and a
// multichannel interface), a MIDI-only controller and two ASIO instances. The interface's
// output channels give the volume dialog a master, linked pairs, a pair without controls
// and an odd last channel.
std::string_view DefaultSimScenarioXml() {
    return R"xml(<?xml version="1.0" encoding="UTF-8"?>
<Scenario apiVersion="5.16" versionCheck="auto">
  <Driver version="4.71.0" debug="false"/>
  <AsioInstance number="0" name="Korveline ASIO" bufferSizes="32 64 128 256 512 1024 2048"
                preferredBufferSize="256" inputLatencyExtra="24" outputLatencyExtra="40"
                preferredDevice="1"/>
  <AsioInstance number="1" name="Korveline ASIO MX" bufferSizes="16 32 48 64 96 128 256 512"
                preferredBufferSize="128" safeMode="true" inputLatencyExtra="18"
                outputLatencyExtra="30" preferredDevice="2"/>

  <Device id="1" vid="0x2FC0" pid="0x0101" revision="0x0104" serial="KVD2-00417"
          manufacturer="Korveline Audio" product="Korveline D2 Stereo DAC"
          panelOptions="0x3" streamingMode="1" formatSelectionMode="1"
          asioInstance="0" asioAllowed="0">
    <SampleRates current="44100">44100 48000 88200 96000 176400 192000 352800 384000</SampleRates>
    <ClockSources current="1">
      <ClockSource id="1" unitId="16" name="Internal"/>
      <ClockSource id="2" unitId="17" name="S/PDIF In" rate="48000" settleMs="5000"/>
    </ClockSources>
    <Clients streaming="0" wdm="0" asio="0"/>
    <Output currentFormat="2">
      <StreamFormat id="1" bits="16" channels="2" type="pcm">
        <Profile id="stereo" name="Stereo speakers"/>
        <Profile id="headphones" name="Headphones"/>
      </StreamFormat>
      <StreamFormat id="2" bits="24" channels="2" type="pcm">
        <Profile id="stereo" name="Stereo speakers"/>
        <Profile id="headphones" name="Headphones"/>
      </StreamFormat>
      <StreamFormat id="3" bits="32" channels="2" type="float">
        <Profile id="stereo" name="Stereo speakers"/>
      </StreamFormat>
      <Channel index="0" name="Master" controls="volume mute" min="-24576" max="0" step="256" volume="-2560"/>
      <Channel index="1" name="Left" controls="volume" min="-24576" max="0" step="256" volume="0"/>
      <Channel index="2" name="Right" controls="volume" min="-24576" max="0" step="256" volume="0"/>
    </Output>
    <Input>
      <VirtualProfile id="loopback" name="Loopback of the output"/>
      <VirtualProfile id="off" name="Off"/>
    </Input>
  </Device>

  <Device id="2" vid="0x2FC0" pid="0x0210" revision="0x0231" serial="KVMX-10120-0093"
          manufacturer="Korveline Audio" product="Korveline MX-1012 Interface"
          panelOptions="0x3" streamingMode="2" formatSelectionMode="1"
          asioInstance="1" asioAllowed="0 1">
    <SampleRates current="48000">44100 48000 88200 96000 176400 192000</SampleRates>
    <ClockSources current="1">
      <ClockSource id="1" unitId="40" name="Internal"/>
      <ClockSource id="2" unitId="41" name="ADAT In" rate="48000"/>
      <ClockSource id="3" unitId="42" name="" rate="96000" valid="false"/>
    </ClockSources>
    <Clients streaming="0" wdm="0" asio="0"/>
    <Input currentFormat="1">
      <StreamFormat id="1" bits="24" channels="10" type="pcm">
        <Profile id="mch10" name="10 channels"/>
        <Profile id="pairs5" name="5 stereo pairs"/>
      </StreamFormat>
      <StreamFormat id="2" bits="24" channels="8" type="pcm">
        <Profile id="mch8" name="8 channels"/>
      </StreamFormat>
      <StreamFormat id="3" bits="16" channels="2" type="pcm">
        <Profile id="stereo" name="Stereo"/>
      </StreamFormat>
      <StreamFormat id="4" bits="32" channels="10" type="float">
        <Profile id="mch10" name="10 channels"/>
      </StreamFormat>
      <VirtualProfile id="vmix" name="Virtual loopback mix"/>
      <VirtualProfile id="voff" name="Off"/>
      <Channel index="0" name="Input Master" controls="volume mute" min="-16384" max="6144" step="128" volume="0"/>
      <Channel index="1" name="Mic/Line 1" controls="volume mute" min="-16384" max="6144" step="128" volume="1536"/>
      <Channel index="2" name="Mic/Line 2" controls="volume mute" min="-16384" max="6144" step="128" volume="1536"/>
      <Channel index="3" name="Line 3" controls="volume mute" min="-16384" max="6144" step="128"/>
      <Channel index="4" name="Line 4" controls="volume mute" min="-16384" max="6144" step="128"/>
      <Channel index="5" name="Line 5" controls="volume mute" min="-16384" max="6144" step="128"/>
      <Channel index="6" name="Line 6" controls="volume mute" min="-16384" max="6144" step="128"/>
      <Channel index="7" name="Line 7" controls="volume mute" min="-16384" max="6144" step="128" muted="true"/>
      <Channel index="8" name="Line 8" controls="volume mute" min="-16384" max="6144" step="128" muted="true"/>
      <Channel index="9" name="S/PDIF In L" controls="mute"/>
      <Channel index="10" name="S/PDIF In R" controls="mute"/>
    </Input>
    <Output currentFormat="11">
      <StreamFormat id="11" bits="24" channels="12" type="pcm">
        <Profile id="mch12" name="12 channels"/>
        <Profile id="surround714" name="7.1.4 surround"/>
        <Profile id="pairs6" name="6 stereo pairs"/>
      </StreamFormat>
      <StreamFormat id="12" bits="24" channels="8" type="pcm">
        <Profile id="surround71" name="7.1 surround"/>
        <Profile id="mch8" name="8 channels"/>
      </StreamFormat>
      <StreamFormat id="13" bits="16" channels="2" type="pcm">
        <Profile id="stereo" name="Stereo"/>
      </StreamFormat>
      <StreamFormat id="14" bits="32" channels="12" type="float">
        <Profile id="mch12" name="12 channels"/>
      </StreamFormat>
      <StreamFormat id="15" bits="24" channels="15" type="pcm">
        <Profile id="mch15" name="12 channels, ADAT pair and cue"/>
      </StreamFormat>
      <VirtualProfile id="vstereo" name="Virtual stereo mixdown"/>
      <VirtualProfile id="voff" name="Off"/>
      <Channel index="0" name="Output Master" controls="volume mute" min="-32512" max="0" step="256" volume="-1536"/>
      <Channel index="1" name="Out 1" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="2" name="Out 2" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="3" name="Out 3" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="4" name="Out 4" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="5" name="Out 5" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="6" name="Out 6" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="7" name="Out 7" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="8" name="Out 8" controls="volume mute" min="-32512" max="0" step="256"/>
      <Channel index="9" name="Phones L" controls="volume mute" min="-32512" max="0" step="256" volume="-3072"/>
      <Channel index="10" name="Phones R" controls="volume mute" min="-32512" max="0" step="256" volume="-3072"/>
      <Channel index="11" name="S/PDIF Out L" controls="volume" min="-16384" max="0" step="512"/>
      <Channel index="12" name="S/PDIF Out R" controls="volume" min="-16384" max="0" step="512"/>
      <Channel index="13" name="ADAT Out 1"/>
      <Channel index="14" name="ADAT Out 2"/>
      <Channel index="15" name="Cue" controls="volume mute" min="-12288" max="1536" step="128" volume="-768"/>
    </Output>
  </Device>

  <Device id="3" vid="0x2FC0" pid="0x0301" revision="0x0100" serial=""
          manufacturer="Korveline Audio" product="Korveline MC-4 MIDI Controller"
          audioFunction="false"/>
</Scenario>
)xml";
}
