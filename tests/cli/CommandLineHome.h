#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <gtest/gtest.h>

#include "cli/QuilloProcess.h"
#include "support/TempTree.h"

// A fixture home with two app caches (the system one not recommended) and a log, for tests that
// run the built program in it.
class CommandLineHome : public ::testing::Test {
protected:
    void SetUp() override
    {
        tree.file("home/Library/Caches/com.example.editor/blob", 40'000);
        tree.file("home/Library/Caches/com.apple.Safari/db", 30'000);
        tree.file("home/Library/Logs/tool.log", 20'000);
    }

    std::filesystem::path home() const { return tree.path("home"); }
    std::filesystem::path caches(const std::string& name) const { return home() / "Library/Caches" / name; }
    std::filesystem::path trashed(const std::string& name) const { return home() / ".local/share/Trash/files" / name; }
    QuilloRun quillo(const QStringList& arguments) const { return runQuillo(arguments, home()); }
    QuilloRun quillo(const QStringList& arguments, const std::function<bool(qint64)>& poll) const
    {
        return runQuillo(arguments, home(), poll);
    }
    static QString text(const std::filesystem::path& path) { return QString::fromStdString(path.string()); }

    static QJsonObject json(const QuilloRun& run)
    {
        QJsonParseError error{};
        const auto document = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &error);
        EXPECT_EQ(error.error, QJsonParseError::NoError) << run.out << run.err;
        return document.object();
    }

    // The items of a scan document's targets, all together.
    static std::vector<QJsonObject> items(const QJsonObject& document)
    {
        std::vector<QJsonObject> found;
        for (const auto& target : document["targets"].toArray()) {
            for (const auto& item : target.toObject()["items"].toArray())
                found.push_back(item.toObject());
        }
        return found;
    }

    TempTree tree;
};
