#pragma once
// Tax on one payment of author's remuneration or of royalties.

namespace tax {

float AuthorRemunerationTax(double income);
float RoyaltyTax(double income);

}  // namespace tax
