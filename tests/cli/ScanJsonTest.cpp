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
    QJsonObject json = ScanJson::item(item);
    EXPECT_EQ(json["path"].toString(), "/home/ann/Downloads/Setup.dmg");
    EXPECT_EQ(json["size"].toInteger(), 5'000'000'123);
    EXPECT_EQ(json["date"].toString(), "2023-11-14T22:13:20Z");
    EXPECT_EQ(json["tags"].toArray(), (QJsonArray{"installer", "old"}));
    EXPECT_FALSE(json["recommended"].toBool());
    EXPECT_TRUE(json["icon"].isNull());
    EXPECT_TRUE(json["bundleID"].isNull());
    EXPECT_EQ(json["extra"].toArray(), QJsonArray());

    item.date.reset();
    item.iconURL = "/Applications/Foo.app";
    item.extraURLs = {"/a", "/b"};
    item.bundleID = "com.example.foo";
    item.isRecommended = true;
    json = ScanJson::item(item);
    EXPECT_TRUE(json["date"].isNull());
    EXPECT_EQ(json["icon"].toString(), "/Applications/Foo.app");
    EXPECT_EQ(json["extra"].toArray(), (QJsonArray{"/a", "/b"}));
    EXPECT_EQ(json["bundleID"].toString(), "com.example.foo");
    EXPECT_TRUE(json["recommended"].toBool());
    EXPECT_EQ(json.keys().size(), 10);
}
