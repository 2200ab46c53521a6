#pragma once

#include <string>
#include <string_view>

// A throw-away install folder of the program under %TEMP%, laid out as on a user's machine:
//   KorvelineCpl.exe, KorvelineCpl.xml, KorvelineCpl.strings\<files>, korvelineapi.dll
// Everything is removed again when the object goes. Each Add/Write returns false when the
// file could not be made, so a test can ASSERT on it.
class TemporaryInstall {
public:
    TemporaryInstall();
    ~TemporaryInstall();
    TemporaryInstall(const TemporaryInstall&) = delete;
    TemporaryInstall& operator=(const TemporaryInstall&) = delete;

    const std::wstring& Folder() const { return folder_; }
    std::wstring ProgramPath() const;

    // Copies the program (by default the one built with the tests) into the folder.
    bool AddProgram(const std::wstring& source = BuiltProgram());
    // Copies the simulated driver (by default the built one) as korvelineapi.dll.
    bool AddDriverLibrary(const std::wstring& source = BuiltSimulator());
    // Writes KorvelineCpl.xml with exactly these bytes (UTF-8 as the program reads it).
    bool WriteConfiguration(std::string_view bytes);
    // Writes KorvelineCpl.strings\<fileName> with exactly these bytes.
    bool WriteLanguageFile(const std::wstring& fileName, std::string_view bytes);

    // Writes any other file into the folder (a simulator scenario, say); its full path is
    // Folder() + L"\\" + fileName.
    bool WriteExtraFile(const std::wstring& fileName, std::string_view bytes);

    // Files of the build tree, found from the test executable (<build>\tests\*.exe).
    static std::wstring BuildTreeFile(const std::wstring& relativePath);
    static std::wstring BuiltProgram();
    static std::wstring BuiltSimulator();

private:
    std::wstring folder_;
};
