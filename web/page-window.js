// The main window as the desktop program draws it, at 96 dots per inch: its labels, lines, fields and buttons from the
// window's one definition, and the fields of a document.
import {byId} from './page-state.js';

const twipsPerPixel = 15;  // 96 dots per inch

// commands: the page's functions behind the window's buttons, {compute, exit, print}.
export function buildWindow(page, commands) {
  const face = page.face;
  const view = byId('window');
  view.textContent = '';
  const px = (twips) => Math.round(twips / twipsPerPixel) + 'px';
  const [width, height] = face.extent;
  view.style.width = px(width + 240);
  view.style.height = px(height + 240);
  view.style.background = face.colour;
  const place = (element, box) => {
    element.style.left = px(box[0]); element.style.top = px(box[1]);
    element.style.width = px(box[2]); element.style.height = px(box[3]);
  };
  for (const label of face.labels) {
    const element = view.appendChild(document.createElement('div'));
    element.className = 'label font-' + label.font;
    element.id = 'window-' + label.name;
    element.textContent = label.text;
    place(element, label.box);
  }
  const svg = view.appendChild(document.createElementNS('http://www.w3.org/2000/svg', 'svg'));
  svg.setAttribute('width', Math.round((width + 240) / twipsPerPixel));
  svg.setAttribute('height', Math.round((height + 240) / twipsPerPixel));
  svg.setAttribute('aria-hidden', 'true');
  for (const line of face.lines) {
    const element = svg.appendChild(document.createElementNS('http://www.w3.org/2000/svg', 'line'));
    ['x1', 'y1', 'x2', 'y2'].forEach((name, i) => element.setAttribute(name, line.points[i] / twipsPerPixel));
    element.setAttribute('stroke', line.colour);
    element.setAttribute('stroke-width', line.width);
  }
  for (const field of face.fields) {
    const element = view.appendChild(document.createElement('output'));
    element.className = 'field';
    element.id = 'window-' + field.name;
    // The status line announces a computation once; the fields are read when visited, named by their label.
    element.setAttribute('aria-live', 'off');
    const label = labelBeside(face.labels, field.box);
    if (label) element.setAttribute('aria-labelledby', 'window-' + label.name);
    place(element, field.box);
  }
  for (const button of face.buttons) {
    const element = view.appendChild(document.createElement('button'));
    element.className = 'button';
    element.id = 'window-' + button.name;
    element.textContent = button.text;
    element.style.background = button.colour;
    place(element, button.box);
    element.addEventListener('click', commands[button.command]);
  }
  scaleWindow();
  if (page.answer) showFields(page.answer);
}

// The label that names a field as a reader sees it: the nearest one just left of the field on its line, else the
// nearest one above it.
function labelBeside(labels, box) {
  const [left, top, width, height] = box;
  const gap = 600;  // twips
  const nearest = (found, distance) => found.sort((a, b) => distance(a) - distance(b))[0] || null;
  const beside = labels.filter(({box: [x, y, w, h]}) =>
    w > 0 && x + w <= left + 30 && x + w >= left - gap && y < top + height && y + h > top);
  const above = labels.filter(({box: [x, y, w, h]}) =>
    w > 0 && y + h <= top + 30 && y + h >= top - gap && x < left + width && x + w > left);
  return nearest(beside, ({box: [x, , w]}) => left - (x + w)) || nearest(above, ({box: [, y, , h]}) => top - (y + h));
}

// Where the window does not fit, the window view is drawn smaller: to the width it has, and on a desktop screen,
// where it stays in view beside the table, to the height of the screen as well.
export function scaleWindow() {
  const view = byId('window');
  const box = byId('window-view');
  if (!view.style.width) return;
  const naturalWidth = parseFloat(view.style.width);
  const naturalHeight = parseFloat(view.style.height);
  const room = box.clientWidth;
  const besideTable = window.matchMedia('(min-width: 1024px)').matches;
  const fits = [naturalWidth <= room || room <= 0 ? 1 : room / naturalWidth];
  if (besideTable) fits.push(Math.max(0.5, (window.innerHeight - 16) / naturalHeight));
  const scale = Math.min(1, ...fits);
  view.style.transform = scale < 1 ? `scale(${scale})` : '';
  view.style.transformOrigin = '0 0';
  box.style.height = scale < 1 ? Math.ceil(naturalHeight * scale) + 'px' : '';
}

export function clearFields() {
  for (const element of document.querySelectorAll('#window .field')) element.textContent = '';
}

export function showFields(document_) {
  for (const [name, value] of Object.entries(document_.fields)) {
    const values = Array.isArray(value) ? value : [value];
    values.forEach((text, i) => {
      const element = byId('window-' + (Array.isArray(value) ? name + '_' + i : name));
      if (element) element.textContent = text;
    });
  }
  for (const [name, caption] of Object.entries(document_.captions)) {
    const element = byId('window-' + name.replace(/\((\d+)\)$/, '_$1'));
    if (element) element.textContent = caption;
  }
}
