// The settings file: any file is read; a value written is read back as written, and the other lines keep
// their text.
#include "FuzzSupport.h"

#include "platform/os/IniFile.h"

#include <array>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::Start();
    const QString file = fuzz::FileWith(fuzz::Bytes(data, size), QStringLiteral(".ini"));
    TIniFile ini(file);
    // Section, key and value of every key read.
    std::vector<std::array<QString, 3>> before;
    for (const QString &section : ini.ReadSections()) {
        for (const QString &key : ini.ReadSection(section)) {
            ini.ReadInteger(section, key, 0);
            ini.ReadFloat(section, key, 0);
            ini.ReadDate(section, key, QDate());
            before.push_back({section, key, ini.ReadString(section, key, QString())});
        }
        ini.ReadSectionValues(section);
    }
    ini.WriteString(QStringLiteral("Database"), QStringLiteral("Name"), QStringLiteral("/tmp/Ďalší.fdb"));
    fuzz::Require(ini.ReadString(QStringLiteral("Database"), QStringLiteral("Name"), QString()) ==
                  QStringLiteral("/tmp/Ďalší.fdb"));
    // What stood in other keys stands there still.
    TIniFile reread(file);
    for (const auto &[section, key, value] : before) {
        if (section.compare(QStringLiteral("Database"), Qt::CaseInsensitive) == 0 &&
            key.compare(QStringLiteral("Name"), Qt::CaseInsensitive) == 0)
            continue;
        fuzz::Require(reread.ReadString(section, key, QStringLiteral("\x01missing")) == value);
    }
    return 0;
}
