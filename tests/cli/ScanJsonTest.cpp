#include <QJsonArray>

#include <gtest/gtest.h>

#include "cli/ScanJson.h"

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
    item.originalURL = "/home/ann/Setup.dmg";
    expected["date"] = QJsonValue::Null;
    expected["icon"] = "/Applications/Foo.app";
    expected["extra"] = QJsonArray{"/a", "/b"};
    expected["bundleID"] = "com.example.foo";
    expected["recommended"] = true;
    expected["original"] = "/home/ann/Setup.dmg";
    expected["group"] = 3;
    EXPECT_EQ(ScanJson::item(item, 3), expected);
}

// JSON text is Unicode and a path is bytes: a path that is not UTF-8 is written readable, and
// its exact bytes beside it, for every path an item holds; a valid one alone.
TEST(ScanJson, PathsThatAreNotUtf8CarryTheirExactBytes)
{
    for (const std::string& bad : {std::string("/tmp/bad-\xff\xfe-name"), std::string("/overlong/\xc0\xaf"),
                                   std::string("/surrogate/\xed\xa0\x80"), std::string("/cut/\xe2\x82"),
                                   std::string("/beyond/\xf4\x90\x80\x80")}) {
        ScanItem item;
        item.url = bad;
        item.name = bad;
        item.iconURL = bad;
        item.extraURLs = {"/fine", bad};
        item.originalURL = bad;
        const QJsonObject object = ScanJson::item(item, 1);
        const QByteArray base64 = QByteArray::fromStdString(bad).toBase64();
        for (const char* key : {"pathBytes", "iconBytes", "originalBytes"})
            EXPECT_EQ(object[key].toString().toLatin1(), base64) << key << " of " << bad;
        EXPECT_EQ(object["extraBytes"].toArray(), (QJsonArray{"L2ZpbmU=", QString::fromLatin1(base64)})) << bad;
        for (const char* key : {"path", "name", "icon", "original"}) {
            EXPECT_TRUE(object[key].toString().contains(QChar::ReplacementCharacter)) << key << " of " << bad;
            // Never a lone surrogate: strict readers (serde_json, Go) reject or mangle them.
            EXPECT_TRUE(object[key].toString().isValidUtf16()) << key << " of " << bad;
        }
    }
    ScanItem valid;
    valid.url = "/home/ann/Caf\xc3\xa9/\xf0\x9f\x93\xa6 box\n\x01";
    const QJsonObject object = ScanJson::item(valid);
    EXPECT_EQ(object["path"].toString(), QString::fromUtf8("/home/ann/Caf\xc3\xa9/\xf0\x9f\x93\xa6 box\n\x01"));
    EXPECT_FALSE(object.contains("pathBytes"));
    EXPECT_FALSE(object.contains("extraBytes"));
}
