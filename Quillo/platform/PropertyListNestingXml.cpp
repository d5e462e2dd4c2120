#include <string>
#include <vector>

#include "platform/PropertyListNestingXml.h"

namespace platform::PropertyListNesting {

namespace {

constexpr std::string_view whitespace = " \t\r\n";

bool isLeafElement(std::string_view name)
{
    for (std::string_view leaf : {"key", "string", "data", "date", "integer", "real", "true", "false"}) {
        if (name == leaf)
            return true;
    }
    return false;
}

// Follows the markup of an XML property list far enough to know how deep its arrays and
// dictionaries nest, refusing whatever it cannot follow exactly.
class XmlNesting {
public:
    XmlNesting(std::string_view text, std::size_t maxDepth) : text_(text), maxDepth_(maxDepth) {}

    bool withinDepth()
    {
        // Not XML; and C-string handling inside libplist could read a tag name differently.
        if (text_.find('\0') != std::string_view::npos)
            return false;
        for (;;) {
            at_ = text_.find_first_not_of(whitespace, at_);
            if (at_ == std::string_view::npos)
                return true;
            if (!markupAtTopLevel())
                return false;
        }
    }

private:
    bool markupAtTopLevel()
    {
        const std::string_view rest = text_.substr(at_);
        if (rest.starts_with("<!--"))
            return skipPast("-->");
        if (rest.starts_with("<?")) {
            const std::size_t end = markupEnd(at_ + 2);
            return end != std::string_view::npos && text_[end - 1] == '?' && moveTo(end + 1);
        }
        if (rest.starts_with("<!DOCTYPE")) {
            const std::size_t end = markupEnd(at_ + 9);
            return end != std::string_view::npos && moveTo(end + 1);
        }
        if (!rest.starts_with('<') || rest.starts_with("<!"))
            return false;
        const std::size_t end = markupEnd(at_ + 1);
        if (end == std::string_view::npos)
            return false;
        const std::string_view markup = text_.substr(at_ + 1, end - at_ - 1);
        at_ = end + 1;
        return tag(markup);
    }

    // The '>' that ends the markup from `from` on; npos where that is not certain: a '<' comes
    // first, a '[' or ']' (an internal DTD subset, say) appears, or a double-quoted run (which
    // libplist skips in some places and not in others) holds one of "<>[]" or stays open.
    std::size_t markupEnd(std::size_t from) const
    {
        for (std::size_t i = from; i < text_.size(); ++i) {
            const char c = text_[i];
            if (c == '>')
                return i;
            if (c == '<' || c == '[' || c == ']')
                return std::string_view::npos;
            if (c == '"') {
                const std::size_t close = text_.find('"', i + 1);
                if (close == std::string_view::npos ||
                    text_.substr(i + 1, close - i - 1).find_first_of("<>[]") != std::string_view::npos)
                    return std::string_view::npos;
                i = close;
            }
        }
        return std::string_view::npos;
    }

    bool tag(std::string_view markup)
    {
        const bool selfClosing = markup.ends_with('/');
        std::string_view name = markup.substr(0, markup.find_first_of(whitespace));
        if (selfClosing && name.ends_with('/'))
            name.remove_suffix(1);
        if (name == "plist" || name == "/plist")
            return true;
        if (name == "array" || name == "dict") {
            if (!selfClosing)
                open_.push_back(name == "dict");
            return open_.size() <= maxDepth_;
        }
        if (name == "/array" || name == "/dict") {
            if (selfClosing || open_.empty() || open_.back() != (name == "/dict"))
                return false;
            open_.pop_back();
            return true;
        }
        return isLeafElement(name) && (selfClosing || leafText(name));
    }

    // The text of a leaf element up to its closing tag. Comments and CDATA sections may hold
    // anything; any other markup in there is refused, so an end tag inside text never closes a
    // container.
    bool leafText(std::string_view name)
    {
        for (;;) {
            at_ = text_.find('<', at_);
            if (at_ == std::string_view::npos)
                return false;
            const std::string_view rest = text_.substr(at_);
            if (rest.starts_with("<!--")) {
                if (!skipPast("-->"))
                    return false;
            } else if (rest.starts_with("<![CDATA[")) {
                if (!skipPast("]]>"))
                    return false;
            } else {
                if (!rest.starts_with("</") || !rest.substr(2).starts_with(name))
                    return false;
                const std::size_t close = text_.find_first_not_of(whitespace, at_ + 2 + name.size());
                return close != std::string_view::npos && text_[close] == '>' && moveTo(close + 1);
            }
        }
    }

    bool skipPast(std::string_view terminator)
    {
        const std::size_t found = text_.find(terminator, at_ + 2);
        return found != std::string_view::npos && moveTo(found + terminator.size());
    }

    bool moveTo(std::size_t position)
    {
        at_ = position;
        return true;
    }

    std::string_view text_;
    std::size_t maxDepth_;
    std::size_t at_ = 0;
    // The open containers, innermost last; true for a dictionary.
    std::vector<bool> open_;
};

} // namespace

bool xmlNestsWithin(std::string_view bytes, std::size_t maxDepth) { return XmlNesting(bytes, maxDepth).withinDepth(); }

} // namespace platform::PropertyListNesting
