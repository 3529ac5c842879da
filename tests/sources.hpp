#pragma once

#include <cstddef>
#include <streambuf>
#include <string>
#include <utility>
#include <vector>

// Serves its text in the given pieces, one piece per refill, like a pipe on
// which a writer sends a piece at a time. How many pieces were asked for is
// recorded, so a test can see that the reader never asked for more than it
// needed.
class PieceBuffer : public std::streambuf {
public:
    explicit PieceBuffer(std::vector<std::string> pieces) : pieces_(std::move(pieces)) {}

    std::size_t piecesTaken() const { return next_; }

protected:
    int_type underflow() override {
        while (next_ < pieces_.size()) {
            std::string& piece = pieces_[next_++];
            if (!piece.empty()) {
                setg(piece.data(), piece.data(), piece.data() + piece.size());
                return traits_type::to_int_type(piece.front());
            }
        }
        return traits_type::eof();
    }

private:
    std::vector<std::string> pieces_;
    std::size_t next_ = 0;
};

// Hands out one character per call and holds none, so a reader can never
// look at held characters and must ask for each one.
class CharByCharBuffer : public std::streambuf {
public:
    explicit CharByCharBuffer(std::string text) : text_(std::move(text)) {}

protected:
    int_type underflow() override {
        return next_ < text_.size() ? traits_type::to_int_type(text_[next_]) : traits_type::eof();
    }
    int_type uflow() override {
        return next_ < text_.size() ? traits_type::to_int_type(text_[next_++]) : traits_type::eof();
    }

private:
    std::string text_;
    std::size_t next_ = 0;
};
