#include "cli/ContactsReport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

struct ReportCase {
    const char* name;
    QList<Contact> contacts;
    QMap<QString, QString> skipped;
    std::string text;
    std::string json;  // as nlohmann::json dumps it
    std::string skippedText;
};

Contact contact(QString formattedName, QList<ContactPhone> phones, QString file = QStringLiteral("/c/a.vcf"))
{
    Contact made;
    made.formattedName = std::move(formattedName);
    made.phoneNumbers = std::move(phones);
    made.sourceFile = std::move(file);
    return made;
}

class ContactsReportTest : public ::testing::TestWithParam<ReportCase> { };

TEST_P(ContactsReportTest, WritesTheBookAsTextAndJsonAndTheSkippedFilesApart)
{
    const ContactsReport report(GetParam().contacts, GetParam().skipped);
    std::ostringstream text;
    std::ostringstream json;
    std::ostringstream skipped;
    report.writeText(text);
    report.writeJson(json);
    report.writeSkipped(skipped);
    EXPECT_EQ(text.str(), GetParam().text);
    EXPECT_EQ(nlohmann::json::parse(json.str()), nlohmann::json::parse(GetParam().json));
    EXPECT_EQ(skipped.str(), GetParam().skippedText);
}

INSTANTIATE_TEST_SUITE_P(Rows, ContactsReportTest,
    ::testing::Values(ReportCase {"AnEmptyBook", {}, {}, "no contacts\n", "[]", ""},
        ReportCase {"KindsFollowTheFirstTypeThatSaysWhereAndLabelsAreShownAsWritten",
            {contact("Jürgen Weiß",
                 {{"+49 170 1", {"voice", "cell", "home"}}, {"030 2", {"pref", "work"}}, {"030 3", {"fax"}, "Büro"}}),
                contact("Dora", {}, "/c/b.vcf")},
            {}, "Jürgen Weiß\n  +49 170 1  mobile\n  030 2  work\n  030 3  other  \"Büro\"\nDora\n",
            R"([{"name":"Jürgen Weiß","file":"/c/a.vcf","numbers":[)"
            R"({"number":"+49 170 1","kind":"mobile","label":""},{"number":"030 2","kind":"work","label":""},)"
            R"({"number":"030 3","kind":"other","label":"Büro"}]},{"name":"Dora","file":"/c/b.vcf","numbers":[]}])",
            ""},
        ReportCase {"SkippedFilesGoApartWithWhy", {contact("Anna", {{"1", {"home"}}})},
            {{"/c/x.vcf", "no vCard in it"}, {"/c/y.vcf", "no contact with a phone number"}}, "Anna\n  1  home\n",
            R"([{"name":"Anna","file":"/c/a.vcf","numbers":[{"number":"1","kind":"home","label":""}]}])",
            "skipped /c/x.vcf: no vCard in it\nskipped /c/y.vcf: no contact with a phone number\n"}),
    [](const ::testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

}  // namespace
