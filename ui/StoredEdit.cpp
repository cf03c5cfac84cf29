// Whether the results still hold once a change of the problem is over.
#include "ui/StoredEdit.h"

#include <QDir>
#include <QFile>

#include "core/ResultsBasis.h"

namespace korvanu {

StoredEdit::StoredEdit(AppContext& context)
    : context_(context),
      before_(std::make_unique<ProblemData>(context.Problem)),
      validBefore_(context.View.ResultsValid),
      pageOffsetBefore_(context.View.PageOffset) {}

StoredEdit::StoredEdit(AppContext& context, const EditLocation& where) : StoredEdit(context) {
  transaction_.emplace(context.History, context.Problem, where);
}

StoredEdit::~StoredEdit() {
  transaction_.reset();
  ViewState& view = context_.View;
  const ProblemData& after = context_.Problem;
  // The rules clear the results whatever they store; what counts is whether
  // the computation now reads another problem.
  view.ResultsValid = context_.Results.ValidAfter(validBefore_, *before_, after, CurrentFolder());
  view.PageOffset = SameComputation(*before_, after) ? pageOffsetBefore_ : 0;
  context_.Steps.ResultsStateChanged();
}

std::string StoredEdit::CurrentFolder() {
  return QFile::encodeName(QDir::currentPath()).toStdString();
}

}  // namespace korvanu
