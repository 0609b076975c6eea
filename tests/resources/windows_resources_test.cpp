#include <gtest/gtest.h>
#include <QFile>
#include <QStringList>

#include <utility>

#include "compiled_resources.h"
#include "resources/program_icon.h"
#include "resources/program_version.h"
#include "stored_bytes.h"

namespace flurb::resources {
namespace {

constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kIconGroupType = 14;
constexpr std::uint16_t kVersionType = 16;
constexpr std::uint16_t kNeutral = 0x0000;
constexpr std::uint16_t kUsEnglish = 0x0409;

// The resource script as compiled by the test's set-up step.
class CompiledScript : public testing::Test {
 protected:
  void SetUp() override {
    QFile file(QString::fromLocal8Bit(qgetenv("FLURB_COMPILED_RESOURCES")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << "set FLURB_COMPILED_RESOURCES to the .res file";
    bytes = file.readAll();
    std::optional<std::vector<CompiledResource>> compiled = readCompiledResources(bytes);
    ASSERT_TRUE(compiled.has_value());
    resources = std::move(*compiled);
  }

  const CompiledResource* find(std::uint16_t type, std::uint16_t name) const {
    for (const CompiledResource& resource : resources) {
      if (resource.type == type && resource.name == name) {
        return &resource;
      }
    }
    return nullptr;
  }

  QByteArray bytes;
  std::vector<CompiledResource> resources;
};

TEST_F(CompiledScript, HoldsTheIconImageItsGroupAndTheVersionRecordOnly) {
  ASSERT_EQ(resources.size(), 3U);
  const CompiledResource* image = find(kIconType, 30001);
  const CompiledResource* group = find(kIconGroupType, 1);
  const CompiledResource* version = find(kVersionType, 1);
  ASSERT_NE(image, nullptr);
  ASSERT_NE(group, nullptr);
  ASSERT_NE(version, nullptr);
  EXPECT_EQ(image->language, kNeutral);
  EXPECT_EQ(group->language, kNeutral);
  EXPECT_EQ(version->language, kUsEnglish);
}

TEST_F(CompiledScript, IconImageIsTheImageOfTheWindowsIconFile) {
  const CompiledResource* image = find(kIconType, 30001);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->data, programIconFile().sliced(22).toByteArray());
}

TEST_F(CompiledScript, IconGroupNamesImage30001) {
  const CompiledResource* group = find(kIconGroupType, 1);
  ASSERT_NE(group, nullptr);
  const QByteArray expected(
      "\x00\x00\x01\x00\x01\x00"  // reserved, an icon, one image
      "\x20\x20\x10\x00"          // 32 x 32, 16 colours, reserved
      "\x01\x00\x04\x00"          // 1 plane, 4 bits per pixel
      "\xE8\x02\x00\x00"          // 744 bytes
      "\x31\x75",                 // image 30001
      20);
  EXPECT_EQ(group->data, expected);
}

class VersionRecord : public CompiledScript {
 protected:
  void SetUp() override {
    CompiledScript::SetUp();
    const CompiledResource* version = find(kVersionType, 1);
    ASSERT_NE(version, nullptr);
    std::optional<VersionNode> record = readVersionRecord(version->data);
    ASSERT_TRUE(record.has_value());
    root = std::move(*record);
  }

  VersionNode root;
};

TEST_F(VersionRecord, FixedPartGivesVersion1000ForA32BitWindowsApplication) {
  EXPECT_EQ(root.key, "VS_VERSION_INFO");
  ASSERT_EQ(root.value.size(), 52);
  struct Field {
    const char* name;
    std::uint32_t value;
  };
  const Field fields[] = {
      {"signature", 0xFEEF04BDU},
      {"structure version", 0x00010000U},
      {"file version, high", 0x00010000U},
      {"file version, low", 0},
      {"product version, high", 0x00010000U},
      {"product version, low", 0},
      {"flags mask", 0},
      {"flags", 0},
      {"operating system: 32-bit Windows", 4},
      {"file type: application", 1},
      {"subtype", 0},
      {"date, high", 0},
      {"date, low", 0},
  };
  for (qsizetype i = 0; i < std::ssize(fields); ++i) {
    EXPECT_EQ(readU32(root.value, i * 4), fields[i].value) << fields[i].name;
  }
}

TEST_F(VersionRecord, StringTableHoldsTheEightStringsInOrder) {
  const VersionNode* strings = root.child("StringFileInfo");
  ASSERT_NE(strings, nullptr);
  ASSERT_EQ(strings->children.size(), 1U);
  const VersionNode& table = strings->children[0];
  EXPECT_EQ(table.key, "040904B0");
  QStringList keys;
  for (const VersionNode& entry : table.children) {
    keys.append(entry.key);
    EXPECT_TRUE(entry.isText) << entry.key.toStdString();
    EXPECT_FALSE(entry.text().isEmpty()) << entry.key.toStdString();
  }
  EXPECT_EQ(keys,
            QStringList({"ProductName", "FileVersion", "ProductVersion", "InternalName",
                         "OriginalFilename", "FileDescription", "CompanyName", "LegalCopyright"}));
  const QString programVersion = QString::fromLatin1(kProgramVersion);
  const std::pair<QString, QString> texts[] = {
      {QStringLiteral("FileVersion"), programVersion},
      {QStringLiteral("ProductVersion"), programVersion},
      {QStringLiteral("OriginalFilename"), QStringLiteral("flurb-cards.exe")},
      // Windows shows the description where it would show the bare file name.
      {QStringLiteral("FileDescription"), QStringLiteral("Quimo's Flurb Cards")},
  };
  for (const auto& [key, text] : texts) {
    ASSERT_NE(table.child(key), nullptr) << key.toStdString();
    EXPECT_EQ(table.child(key)->text(), text) << key.toStdString();
  }
}

TEST_F(VersionRecord, TranslationIsUsEnglishInUnicode) {
  const VersionNode* variables = root.child("VarFileInfo");
  ASSERT_NE(variables, nullptr);
  const VersionNode* translation = variables->child("Translation");
  ASSERT_NE(translation, nullptr);
  EXPECT_FALSE(translation->isText);
  EXPECT_EQ(translation->value, QByteArray("\x09\x04\xB0\x04", 4));  // 0x0409, 1200
}

TEST(ProgramVersion, ReadsOnePointZeroZero) {
  EXPECT_EQ(kProgramVersion, "1.00");
}

}  // namespace
}  // namespace flurb::resources
