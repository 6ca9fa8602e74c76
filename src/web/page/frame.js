// Shows a week page or a data file, which carry a data file's own markup, where that markup can do
// nothing: in a frame sandboxed without scripts and without the page's origin, under a policy
// that lets it load nothing at all (no images, style sheets, frames or scripts, no <base>), only
// its own inline style. The page's own policy holds there too. What no policy stops is taken out
// of the copy shown: a <meta http-equiv> (a refresh would take the frame elsewhere) and frames and
// objects of its own, whose documents would not be under this frame's watch.
const framePolicy = "default-src 'none'; style-src 'unsafe-inline'; img-src data:; base-uri 'none'; form-action 'none'";
const policyTag = `<meta http-equiv="Content-Security-Policy" content="${framePolicy}">`;
const unsafe = 'meta[http-equiv], iframe, frame, frameset, object, embed';
// A start tag of such an element: its name ends at a blank, "/", ">" or the end of the text. Where
// the text holds none (as a week page of the template does not), it is shown as it is.
const unsafeTag = /<(?:meta|i?frame|frameset|object|embed)(?=[\s/>]|$)/i;

// The document as shown: with an unsafe element read as an inert document (no script runs and
// nothing loads while it is read) and those elements taken out; the policy first of all, before
// any of the data's markup.
export function safeDocument(html, { landscape = false } = {}) {
  // A doctype stays first, so that the document keeps its mode.
  let doctype = /^\s*<!doctype[^>]*>/i.exec(html)?.[0] ?? '';
  let shown = html.slice(doctype.length);
  if (unsafeTag.test(html)) {
    const document = new DOMParser().parseFromString(html, 'text/html');
    for (const element of document.querySelectorAll(unsafe)) element.remove();
    doctype = document.compatMode === 'CSS1Compat' ? '<!DOCTYPE html>' : '';
    shown = document.documentElement.outerHTML;
  }
  return doctype + policyTag + (landscape ? '<style>@page { size: landscape; }</style>' : '') + shown;
}

export function show(frame, html) {
  frame.setAttribute('csp', framePolicy);
  frame.srcdoc = safeDocument(html);
}

// Prints the whole page, every line and not only what the frame shows: the page alone in a window
// of its own, under the same policy, and the grid on landscape sheets.
export function print(html, { landscape }) {
  const url = URL.createObjectURL(new Blob([safeDocument(html, { landscape })], { type: 'text/html;charset=utf-8' }));
  const printWindow = window.open(url, '_blank');
  if (!printWindow) {
    URL.revokeObjectURL(url);
    return false;
  }
  printWindow.addEventListener('load', () => {
    printWindow.addEventListener('afterprint', () => printWindow.close());
    printWindow.print();
    URL.revokeObjectURL(url);
  });
  return true;
}
