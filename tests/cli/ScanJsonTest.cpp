#include <QJsonArray>
#include <QJsonDocument>

#include <gtest/gtest.h>

#include "cli/ScanJson.h"

namespace {

// The way back, as a reader of the JSON recovers the bytes: U+DC00 + byte for escaped bytes,
// UTF-8 for everything else.
std::string recoverBytes(const QString& text)
{
    std::string bytes;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (unit >= 0xDC80 && unit <= 0xDCFF && !(i > 0 && text.at(i - 1).isHighSurrogate())) {
            bytes.push_back(static_cast<char>(unit - 0xDC00));
        } else {
            const qsizetype length = text.at(i).isHighSurrogate() ? 2 : 1;
            bytes += text.mid(i, length).toStdString();
            i += length - 1;
        }
    }
    return bytes;
}

} // namespace

TEST(ScanJson, EveryPathSurvivesTheTripThroughJson)
{
    for (const std::string& bytes : {std::string("/home/ann/Caf\xc3\xa9/\xf0\x9f\x93\xa6 box"),
                                     std::string("/tmp/bad-\xff\xfe-name"), std::string("/overlong/\xc0\xaf"),
                                     std::string("/surrogate/\xed\xa0\x80"), std::string("/cut/\xe2\x82"),
                                     std::string("/beyond/\xf4\x90\x80\x80"), std::string("/ctl/\x01\n\t\"\\")}) {
        const QString text = ScanJson::lossless(bytes);
        const QByteArray json = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
        QJsonParseError error{};
        const QJsonDocument parsed = QJsonDocument::fromJson(json, &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << json.toStdString();
        EXPECT_EQ(recoverBytes(parsed.array().at(0).toString()), bytes) << json.toStdString();
    }
}

TEST(ScanJson, ValidTextStaysReadableInvalidBytesBecomeEscapes)
{
    EXPECT_EQ(ScanJson::lossless("Caf\xc3\xa9"), QString::fromUtf8("Caf\xc3\xa9"));
    const QByteArray json = QJsonDocument(QJsonArray{ScanJson::lossless("a\xff")}).toJson(QJsonDocument::Compact);
    EXPECT_EQ(json, QByteArray("[\"a\\udcff\"]"));
}

TEST(ScanJson, AnItemCarriesEveryFieldWithNullsForWhatIsAbsent)
{
    ScanItem item;
    item.url = "/home/ann/Downloads/Setup.dmg";
    item.name = "Setup.dmg";
    item.detail = "Added";
    item.size = 5'000'000'123;
    item.date = Date(std::chrono::seconds(1'700'000'000) + std::chrono::milliseconds(999));
    item.tags = {ScanItem::Tag::installer, ScanItem::Tag::old};
    QJsonObject expected{{"path", "/home/ann/Downloads/Setup.dmg"},
                         {"name", "Setup.dmg"},
                         {"detail", "Added"},
                         {"size", qint64{5'000'000'123}},
                         {"date", "2023-11-14T22:13:20Z"},
                         {"tags", QJsonArray{"installer", "old"}},
                         {"recommended", false},
                         {"icon", QJsonValue::Null},
                         {"extra", QJsonArray()},
                         {"bundleID", QJsonValue::Null}};
    EXPECT_EQ(ScanJson::item(item), expected);

    item.date.reset();
    item.iconURL = "/Applications/Foo.app";
    item.extraURLs = {"/a", "/b"};
    item.bundleID = "com.example.foo";
    item.isRecommended = true;
    expected["date"] = QJsonValue::Null;
    expected["icon"] = "/Applications/Foo.app";
    expected["extra"] = QJsonArray{"/a", "/b"};
    expected["bundleID"] = "com.example.foo";
    expected["recommended"] = true;
    EXPECT_EQ(ScanJson::item(item), expected);
}
