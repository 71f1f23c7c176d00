#pragma once
// The whole tax library: amounts and the seven rules, free of any UI code.

#include "tax/amount.hpp"
#include "tax/arithmetic.hpp"
#include "tax/author_royalty.hpp"
#include "tax/business.hpp"
#include "tax/edition.hpp"
#include "tax/interest_incidental.hpp"
#include "tax/labour.hpp"
#include "tax/wage.hpp"
